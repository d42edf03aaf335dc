#include "controls/gradient_label.h"

#include "controls/control_accessibility.h"
#include "controls/line_breaker.h"

#include <QAccessible>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QImage>
#include <QLinearGradient>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

namespace {

// The local path of a drag that carries exactly one .bmp file, else empty.
QString droppedBitmapPath(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    const QString path = urls.first().toLocalFile();
    return path.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive) ? path : QString();
}

QString withoutLoneBreaks(QString line)
{
    return line.remove(u'\r').remove(u'\n');
}

} // namespace

GradientLabel::GradientLabel(QWidget* parent)
    : QWidget(parent), m_textColor(palette().color(QPalette::WindowText)),
      m_backgroundColor(palette().color(QPalette::Button)), m_gradientColor(m_backgroundColor)
{
    setAcceptDrops(true);
    updateOpacity();
    installControlAccessibility();
}

void GradientLabel::setText(const QString& text)
{
    m_text = text;
    // A widget that is not opaque repaints what lies under it before itself.
    update();
    if (QAccessible::isActive() && accessibleName().isEmpty()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void GradientLabel::setTextColor(const QColor& color)
{
    m_textColor = color;
    update();
}

void GradientLabel::setBackground(const QColor& color, const QColor& gradientColor, Fill fill)
{
    m_backgroundColor = color;
    m_gradientColor = gradientColor;
    m_fill = fill;
    update();
}

void GradientLabel::setTransparent(bool transparent)
{
    m_transparent = transparent;
    updateOpacity();
    update();
}

void GradientLabel::setWordWrap(bool wrap)
{
    m_wordWrap = wrap;
    update();
}

void GradientLabel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void GradientLabel::setElideMode(Qt::TextElideMode mode)
{
    m_elideMode = mode;
    update();
}

void GradientLabel::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    if (!m_picture.isNull())
        m_transparent = false;
    updateOpacity();
    update();
}

void GradientLabel::updateOpacity()
{
    setAttribute(Qt::WA_OpaquePaintEvent, !m_transparent);
}

void GradientLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_picture.isNull())
        painter.drawPixmap(rect(), m_picture);
    else if (!m_transparent)
        paintBackground(painter);
    paintText(painter);
}

void GradientLabel::paintBackground(QPainter& painter) const
{
    if (m_fill == Fill::Plain) {
        painter.fillRect(rect(), m_backgroundColor);
        return;
    }
    // From the centre of the first pixel to the centre of the last, so that
    // both edges show their colour exactly.
    const bool horizontal = m_fill == Fill::Horizontal;
    QLinearGradient gradient(horizontal ? QPointF(0.5, 0.0) : QPointF(0.0, 0.5),
                             horizontal ? QPointF(width() - 0.5, 0.0) : QPointF(0.0, height() - 0.5));
    gradient.setColorAt(0.0, m_backgroundColor);
    gradient.setColorAt(1.0, m_gradientColor);
    painter.fillRect(rect(), gradient);
}

void GradientLabel::paintText(QPainter& painter) const
{
    const QFontMetrics metrics(font());
    const QStringList lines = m_wordWrap ? LineBreaker(metrics).breakLines(m_text, width()) : QStringList{m_text};
    const int lineHeight = metrics.height();
    int top = 0;
    if (m_alignment & Qt::AlignVCenter)
        top = (height() - int(lines.size()) * lineHeight) / 2;

    int flags = int(m_alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop | Qt::TextSingleLine;
    // As in a static text, tabs are expanded only when one stands after the first character.
    if (m_text.indexOf(u'\t') > 0)
        flags |= Qt::TextExpandTabs;

    painter.setFont(font());
    painter.setPen(m_textColor);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = withoutLoneBreaks(lines.at(i));
        if (m_elideMode != Qt::ElideNone)
            line = metrics.elidedText(line, m_elideMode, width());
        painter.drawText(QRect(0, top + int(i) * lineHeight, width(), lineHeight), flags, line);
    }
}

void GradientLabel::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedBitmapPath(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void GradientLabel::dropEvent(QDropEvent* event)
{
    const QString path = droppedBitmapPath(event->mimeData());
    if (path.isEmpty())
        return;
    QImage image;
    if (!image.load(path))
        return;
    setPicture(QPixmap::fromImage(image));
    event->acceptProposedAction();
}
