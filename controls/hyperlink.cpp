#include "controls/hyperlink.h"

#include "controls/control_accessibility.h"
#include "controls/desktop_link_opener.h"
#include "controls/text_contrast.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

void showMessageBox(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, QStringLiteral("Jhavari-Training"), text, QMessageBox::Ok);
}

} // namespace

Hyperlink::Hyperlink(const QString& text, const QString& url, QWidget* parent)
    : QWidget(parent), m_text(text.isEmpty() ? url : text), m_url(url.isEmpty() ? text : url),
      m_showMessage(&showMessageBox)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    installControlAccessibility();
    setCursor(Qt::PointingHandCursor);
    setToolTip(m_url);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_hoverTimer.setInterval(kHoverCheckMs);
    connect(&m_hoverTimer, &QTimer::timeout, this, &Hyperlink::checkPointerStillOver);
}

Hyperlink::~Hyperlink() = default;

void Hyperlink::setText(const QString& text)
{
    m_text = text;
    fitToText();
    update();
}

void Hyperlink::setUrl(const QString& url)
{
    m_url = url;
    setToolTip(m_url);
    fitToText();
}

void Hyperlink::setUnderline(Underline underline)
{
    if (underline != m_underline) {
        m_underlined = underline == Underline::Always;
        update();
    }
    m_underline = underline;
}

void Hyperlink::setVisited(bool visited)
{
    m_visited = visited;
    update();
}

void Hyperlink::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void Hyperlink::setAdjustToText(bool adjust)
{
    m_adjustToText = adjust;
    setSizePolicy(adjust ? QSizePolicy::Fixed : QSizePolicy::Preferred,
                  adjust ? QSizePolicy::Fixed : QSizePolicy::Preferred);
}

void Hyperlink::setOpener(LinkOpener* opener)
{
    m_opener = opener;
}

void Hyperlink::setMessageFunction(ShowMessage showMessage)
{
    m_showMessage = showMessage ? std::move(showMessage) : ShowMessage(&showMessageBox);
}

QFont Hyperlink::underlinedFont() const
{
    QFont underlined = font();
    underlined.setUnderline(true);
    return underlined;
}

QSize Hyperlink::sizeHint() const
{
    const QMargins margins = contentsMargins();
    const QSize text = QFontMetrics(underlinedFont()).size(Qt::TextSingleLine, m_text);
    return text.grownBy(margins);
}

void Hyperlink::fitToText()
{
    updateGeometry();
    if (!m_adjustToText)
        return;
    const QSize fitted = sizeHint();
    QRect area = geometry();
    const int horizontal = int(m_alignment & Qt::AlignHorizontal_Mask);
    if (horizontal & Qt::AlignHCenter)
        area.setLeft(area.center().x() - (fitted.width() - 1) / 2);
    else if (horizontal & Qt::AlignRight)
        area.setLeft(area.right() + 1 - fitted.width());
    area.setWidth(fitted.width());
    if (m_alignment & Qt::AlignVCenter)
        area.setTop(area.center().y() - (fitted.height() - 1) / 2);
    area.setHeight(fitted.height());
    setGeometry(area);
}

void Hyperlink::showEvent(QShowEvent* event)
{
    // The first showing is when the link's place in its window is settled.
    if (!m_fittedOnce) {
        m_fittedOnce = true;
        fitToText();
    }
    QWidget::showEvent(event);
}

QColor Hyperlink::currentColor() const
{
    const QColor stated = m_hovered ? kHoverColor : m_visited ? kVisitedColor : kLinkColor;
    return readableOn(stated, palette().color(QPalette::Window), kReadableContrast);
}

void Hyperlink::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setFont(m_underlined ? underlinedFont() : font());
    painter.setPen(currentColor());
    painter.drawText(contentsRect(), int(m_alignment) | Qt::TextSingleLine, m_text);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void Hyperlink::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    if (m_hovered)
        return;
    m_hovered = true;
    if (m_underline == Underline::WhileHovered)
        m_underlined = true;
    update();
    m_hoverTimer.start();
}

void Hyperlink::checkPointerStillOver()
{
    if (rect().contains(mapFromGlobal(QCursor::pos())))
        return;
    m_hovered = false;
    m_hoverTimer.stop();
    if (m_underline != Underline::Always)
        m_underlined = false;
    update();
}

void Hyperlink::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        open();
}

void Hyperlink::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // A key held down opens the address once, not once per repeat.
        if (!event->isAutoRepeat())
            open();
        break;
    default: QWidget::keyPressEvent(event); break;
    }
}

void Hyperlink::open()
{
    m_hovered = false;
    update();
    LinkOpener* opener = m_opener;
    if (!opener) {
        if (!m_desktopOpener)
            m_desktopOpener = std::make_unique<DesktopLinkOpener>();
        opener = m_desktopOpener.get();
    }
    QPointer<Hyperlink> self(this);
    opener->open(m_url, [self](LinkOpener::Result result) {
        if (self)
            self->openFinished(result);
    });
}

void Hyperlink::openFinished(LinkOpener::Result result)
{
    m_visited = result.outcome == LinkOpener::Outcome::Opened;
    if (m_visited) {
        update();
        return;
    }
    QApplication::beep();
    m_showMessage(this, failureMessage(result));
}

QString Hyperlink::failureMessage(LinkOpener::Result result)
{
    QString reason;
    switch (result.outcome) {
    case LinkOpener::Outcome::NoHandler:
        reason = QStringLiteral("There is no application associated\nwith the given filename extension.");
        break;
    case LinkOpener::Outcome::HandlerNotFound: reason = QStringLiteral("The specified file was not found."); break;
    case LinkOpener::Outcome::HandlerFailed:
        reason = QStringLiteral("The filename association is\nincomplete or invalid.");
        break;
    case LinkOpener::Outcome::Opened:
    case LinkOpener::Outcome::OtherError:
        reason = QStringLiteral("Unknown Error (%1) occurred.").arg(result.errorCode);
        break;
    }
    return QStringLiteral("Unable to open hyperlink:\n\n") + reason;
}
