#include "controls/shade_button.h"

#include "controls/form_pictures.h"
#include "controls/text_contrast.h"

#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <utility>

namespace {

// One-pixel lines along the top and left in one colour, along the bottom and right in another.
void drawFrameLines(QPainter& painter, const QRect& rect, const QColor& topLeft, const QColor& bottomRight)
{
    painter.setPen(topLeft);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

// The desktop's two-pixel 3D edge, from the palette roles of its four shades.
void drawEdge(QPainter& painter, const QRect& rect, const QPalette& palette, bool sunken)
{
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    if (sunken) {
        drawFrameLines(painter, rect, palette.color(QPalette::Dark), palette.color(QPalette::Light));
        drawFrameLines(painter, inner, palette.color(QPalette::Shadow), palette.color(QPalette::Midlight));
    } else {
        drawFrameLines(painter, rect, palette.color(QPalette::Midlight), palette.color(QPalette::Shadow));
        drawFrameLines(painter, inner, palette.color(QPalette::Light), palette.color(QPalette::Dark));
    }
}

} // namespace

ShadeButton::ShadeButton(Kind kind, const QString& text, QWidget* parent, Options options)
    : QPushButton(text, parent), m_kind(kind),
      m_pushLike(kind == Kind::PushButton || options.testFlag(Option::PushLike)), m_border(m_pushLike)
{
    setFlat(options.testFlag(Option::Flat));
    if (options.testFlag(Option::AlignLeft))
        m_textAlignment = Qt::AlignLeft;
    else if (options.testFlag(Option::AlignRight))
        m_textAlignment = Qt::AlignRight;
    else
        m_textAlignment = Qt::AlignHCenter;
    if (kind == Kind::PushButton) {
        // Enter presses the focused push button on a form too, not only in a dialog.
        setAutoDefault(true);
    } else {
        setCheckable(true);
        setAutoExclusive(kind == Kind::RadioButton);
        // Enter goes on to the dialog's default button.
        setAutoDefault(false);
    }
    // Moves without a pressed button tell when the pointer is back over it after a press.
    setMouseTracking(true);
    chooseTextColours();
}

void ShadeButton::setFocusOffset(int offset)
{
    m_focusOffset = std::max(offset, 0);
    forgetPictures();
}

QColor ShadeButton::textColor() const
{
    return m_textColor.value_or(palette().color(QPalette::ButtonText));
}

QColor ShadeButton::setTextColor(const QColor& color)
{
    const QColor previous = textColor();
    m_textColor = color;
    chooseTextColours();
    update();
    return previous;
}

void ShadeButton::setIcons(const QPixmap& normal, IconAlignment alignment, const QPixmap& down, const QPixmap& hover)
{
    m_icon = normal;
    m_iconAlignment = alignment;
    m_downIcon = down.isNull() ? normal : down;
    m_hoverIcon = hover.isNull() ? normal : hover;
    update();
}

void ShadeButton::setCheckMarkIcons()
{
    setIcons(formPicture(kUncheckedIcon), IconAlignment::Left, formPicture(kCheckedIcon));
}

bool ShadeButton::event(QEvent* event)
{
    const bool handled = QPushButton::event(event);
    if (event->type() == QEvent::ApplicationPaletteChange)
        forgetPictures();
    return handled;
}

void ShadeButton::resizeEvent(QResizeEvent* event)
{
    QPushButton::resizeEvent(event);
    forgetPictures();
}

void ShadeButton::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        forgetPictures();
}

void ShadeButton::forgetPictures()
{
    m_pictures = ShadePictures();
    chooseTextColours();
    update();
}

const ShadePictures& ShadeButton::pictures() const
{
    if (m_pictures.isNull())
        m_pictures = ShadePictures(size(), m_focusOffset, ShadePictures::Colours::fromPalette(palette()));
    return m_pictures;
}

void ShadeButton::chooseTextColours()
{
    const QColor face = ShadePictures::faceColourFor(ShadePictures::Colours::fromPalette(palette()));
    m_shownText = readableOn(textColor(), face, kReadableContrast);
    m_disabledText = fadedOn(palette().color(QPalette::Disabled, QPalette::ButtonText), face, kDisabledContrast);
    // The light copy below the text engraves dark text into a light face; under
    // text lighter than its face it would only make the letters bold.
    m_embossed = m_disabledText.lightness() < face.lightness();
}

void ShadeButton::setHovered(bool hover)
{
    if (m_hover == hover)
        return;
    m_hover = hover;
    update();
}

void ShadeButton::enterEvent(QEnterEvent* event)
{
    QPushButton::enterEvent(event);
    if (!m_tracking)
        setHovered(true);
}

void ShadeButton::leaveEvent(QEvent* event)
{
    QPushButton::leaveEvent(event);
    setHovered(false);
}

void ShadeButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        setHovered(false);
    QPushButton::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        m_tracking = isDown();
}

void ShadeButton::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) {
        // A press given up by a loss of focus stays given up until the release.
        if (m_tracking)
            QPushButton::mouseMoveEvent(event);
        else
            event->ignore();
        return;
    }
    if (!m_hover && rect().contains(event->position().toPoint()))
        setHovered(true);
    QPushButton::mouseMoveEvent(event);
}

void ShadeButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_tracking = false;
    QPushButton::mouseReleaseEvent(event);
}

void ShadeButton::keyPressEvent(QKeyEvent* event)
{
    // A check box changes as the space bar goes down; the click follows as it comes up.
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && isCheckable() && !m_checkChangedByKey) {
        m_checkChangedByKey = true;
        QAbstractButton::nextCheckState();
    }
    QPushButton::keyPressEvent(event);
}

void ShadeButton::keyReleaseEvent(QKeyEvent* event)
{
    QPushButton::keyReleaseEvent(event);
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat())
        m_checkChangedByKey = false;
}

void ShadeButton::nextCheckState()
{
    if (!m_checkChangedByKey)
        QPushButton::nextCheckState();
}

void ShadeButton::focusOutEvent(QFocusEvent* event)
{
    // The click never comes: the check goes back to what the form knows.
    if (std::exchange(m_checkChangedByKey, false) && isDown())
        QAbstractButton::nextCheckState();
    if (m_tracking) {
        m_tracking = false;
        setDown(false);
    }
    QPushButton::focusOutEvent(event);
}

bool ShadeButton::hitButton(const QPoint& position) const
{
    // The whole face counts, whatever bevel the style would leave around it.
    return rect().contains(position);
}

QRect ShadeButton::iconRect(const QPixmap& icon) const
{
    const QSize iconSize = icon.deviceIndependentSize().toSize();
    const int middleY = std::max(height() / 2 - iconSize.height() / 2, 0);
    switch (m_iconAlignment) {
    case IconAlignment::Left: return QRect(QPoint(m_focusOffset, middleY), iconSize);
    case IconAlignment::Right: return QRect(QPoint(width() - iconSize.width() - m_focusOffset, middleY), iconSize);
    case IconAlignment::AboveText: break;
    }
    return QRect(QPoint(std::max(width() / 2 - iconSize.width() / 2, 0), std::max(height() / 2 - iconSize.height(), 0)),
                 iconSize);
}

QRect ShadeButton::textRect(const QPixmap& icon) const
{
    QRect text = rect().adjusted(m_focusOffset + 2, 0, -(m_focusOffset + 2), 0);
    if (icon.isNull())
        return text;
    const QRect place = iconRect(icon);
    switch (m_iconAlignment) {
    case IconAlignment::Left: text.setLeft(text.left() + place.width()); break;
    case IconAlignment::Right: text.setRight(text.right() - place.width()); break;
    case IconAlignment::AboveText:
        text.setTop(place.bottom() + 1);
        text.setBottom(text.bottom() - (m_focusOffset + 1));
        break;
    }
    return text;
}

void ShadeButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool enabled = isEnabled();
    const bool shownDown = enabled && (isDown() || isChecked());
    const bool shifted = shownDown && m_pushLike;

    const ShadePictures& faces = pictures();
    const QImage* face = &faces.normal();
    if (!enabled)
        face = &faces.disabled();
    else if (shownDown)
        face = &faces.down();
    else if (m_hover)
        face = &faces.hover();
    painter.fillRect(rect(), palette().color(QPalette::Button));
    if (!face->isNull())
        painter.drawImage(shownDown && m_border ? QPoint(1, 1) : QPoint(0, 0), *face);

    if (!m_icon.isNull()) {
        QPixmap icon = m_icon;
        if (!enabled) {
            // A ticked box keeps showing its tick while it cannot be changed.
            QStyleOption option;
            option.initFrom(this);
            icon = style()->generatedIconPixmap(QIcon::Disabled, isChecked() ? m_downIcon : m_icon, &option);
        } else if (shownDown) {
            icon = m_downIcon;
        } else if (m_hover) {
            icon = m_hoverIcon;
        }
        painter.drawPixmap(iconRect(m_icon).translated(shifted ? QPoint(1, 1) : QPoint()).topLeft(), icon);
    }

    drawEdges(painter, shownDown);
    drawFocusFrame(painter);

    QRect text = textRect(m_icon);
    if (!enabled) {
        // Embossed: a light copy under the grey text, one pixel down and to the right.
        if (m_embossed) {
            painter.setPen(palette().color(QPalette::Light));
            drawText(painter, text);
        }
        painter.setPen(m_disabledText);
        drawText(painter, text.translated(-1, -1));
        return;
    }
    painter.setPen(m_shownText);
    drawText(painter, shifted ? text.translated(1, 1) : text);
}

void ShadeButton::drawEdges(QPainter& painter, bool shownDown) const
{
    if (!m_border)
        return;
    const QRect frame = rect();
    const QPalette& colours = palette();
    if (!isEnabled()) {
        if (!isFlat())
            drawEdge(painter, frame, colours, false);
    } else if (shownDown) {
        if (isFlat())
            drawFrameLines(painter, frame, colours.color(QPalette::Dark), colours.color(QPalette::Light));
        else
            drawEdge(painter, frame, colours, true);
    } else if (m_hover || !isFlat()) {
        if (isDefault()) {
            drawEdge(painter, frame, colours, true);
            drawEdge(painter, frame.adjusted(1, 1, -1, -1), colours, false);
        } else if (isFlat()) {
            drawFrameLines(painter, frame, colours.color(QPalette::Light), colours.color(QPalette::Dark));
        } else {
            drawEdge(painter, frame, colours, false);
        }
    }
}

void ShadeButton::drawFocusFrame(QPainter& painter) const
{
    if (!hasFocus() || m_focusOffset <= 0 || pictures().isNull())
        return;
    const QRect frame = rect().adjusted(m_focusOffset, m_focusOffset, -m_focusOffset, -m_focusOffset);
    if (frame.width() < 2 || frame.height() < 2)
        return;
    const QImage& across = pictures().focusHorizontal();
    const QImage& down = pictures().focusVertical();
    painter.drawImage(frame.left(), frame.top() + 1, down);
    painter.drawImage(frame.right(), frame.top() + 1, down);
    painter.drawImage(frame.left() + 1, frame.top(), across);
    painter.drawImage(frame.left() + 1, frame.bottom(), across);
}

void ShadeButton::drawText(QPainter& painter, QRect rect) const
{
    QStyleOption option;
    option.initFrom(this);
    const bool underline = style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this);
    const int flags = Qt::TextSingleLine | Qt::AlignVCenter | int(m_textAlignment) |
                      (underline ? Qt::TextShowMnemonic : Qt::TextHideMnemonic);
    painter.drawText(rect, flags, text());
}
