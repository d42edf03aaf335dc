#include "controls/bitmap_slider.h"

#include "controls/control_accessibility.h"
#include "controls/form_pictures.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace {

QPixmap withTransparentColour(const QImage& picture, QPoint transparentPixel)
{
    if (picture.isNull())
        return {};
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    if (image.valid(transparentPixel)) {
        const QRgb key = image.pixel(transparentPixel);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            std::replace(line, line + image.width(), key, qRgba(0, 0, 0, 0));
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

BitmapSlider::BitmapSlider(int controlId, QWidget* parent) : QWidget(parent), m_controlId(controlId)
{
    setObjectName(QString::number(controlId));
    setFocusPolicy(Qt::StrongFocus);
    installControlAccessibility();
}

bool BitmapSlider::setChannelPictures(const QImage& channel, const QImage& activeChannel)
{
    if (channel.isNull())
        return false;
    m_channel = QPixmap::fromImage(channel);
    m_activeChannel = QPixmap::fromImage(activeChannel);
    resize(m_channel.size());
    update();
    return true;
}

bool BitmapSlider::setThumbPictures(const QImage& thumb, const QImage& activeThumb, QPoint transparentPixel)
{
    if (thumb.isNull())
        return false;
    m_thumb = withTransparentColour(thumb, transparentPixel);
    m_activeThumb = withTransparentColour(activeThumb, transparentPixel);
    update();
    return true;
}

void BitmapSlider::setUpAsVolumeSlider()
{
    setChannelPictures(formPicture(133).toImage(), formPicture(134).toImage());
    setThumbPictures(formPicture(135).toImage(), formPicture(136).toImage());
    setMargins(QMargins(2, 3, 2, 0));
    setFocusRectDrawn(false);
    setRange(0, 20);
    setPosition(10);
}

void BitmapSlider::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    update();
}

void BitmapSlider::setPosition(int position)
{
    const int before = std::exchange(m_position, std::max(std::min(position, m_maximum), m_minimum));
    update();
    if (m_position != before && QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, m_position);
        QAccessible::updateAccessibility(&event);
    }
}

void BitmapSlider::stepTo(int position)
{
    if (!isEnabled())
        return;
    const int before = m_position;
    setPosition(position);
    if (m_position != before)
        emit moving(m_controlId, m_position);
    emit moved(m_controlId, m_position);
}

void BitmapSlider::setMargins(const QMargins& margins)
{
    m_margins = margins;
    update();
}

void BitmapSlider::setFocusRectDrawn(bool drawn)
{
    m_focusRectDrawn = drawn;
    update();
}

QSize BitmapSlider::sizeHint() const
{
    return m_channel.isNull() ? QSize(100, 20) : m_channel.size();
}

SliderGeometry BitmapSlider::geometry() const
{
    return SliderGeometry{width(), m_thumb.width(), m_margins.left(), m_margins.right(), m_minimum, m_maximum};
}

void BitmapSlider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const SliderGeometry track = geometry();
    const int centre = track.thumbCentre(m_position);
    if (!m_channel.isNull()) {
        if (isEnabled() && !m_activeChannel.isNull()) {
            painter.drawPixmap(QPoint(centre, 0), m_channel,
                               QRect(centre, 0, m_channel.width() - centre, m_channel.height()));
            painter.drawPixmap(QPoint(0, 0), m_activeChannel, QRect(0, 0, centre, m_activeChannel.height()));
        } else {
            painter.drawPixmap(0, 0, m_channel);
        }
    }
    if (!m_thumb.isNull() && isEnabled()) {
        const QPixmap& thumb = m_dragging && !m_activeThumb.isNull() ? m_activeThumb : m_thumb;
        painter.drawPixmap(track.thumbLeft(m_position), m_margins.top(), thumb);
    }
    if (m_focusRectDrawn && hasFocus() && isEnabled()) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void BitmapSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QWidget::mousePressEvent(event);
        return;
    }
    // Qt keeps sending the mouse to this widget until the button is released.
    setFocus(Qt::MouseFocusReason);
    m_dragging = true;
    const int pointerX = qRound(event->position().x());
    const int distance = pointerX - geometry().thumbCentre(m_position);
    // A press on the thumb keeps its grip; a press beside it makes it jump under the pointer.
    m_dragOffset = std::abs(distance) > m_thumb.width() / 2 ? 0 : distance;
    dragTo(pointerX);
    update();
}

void BitmapSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging && isEnabled())
        dragTo(qRound(event->position().x()));
}

void BitmapSlider::dragTo(int pointerX)
{
    const SliderGeometry track = geometry();
    const int centre = std::clamp(pointerX - m_dragOffset, track.leftmostCentre(),
                                  std::max(track.leftmostCentre(), track.rightmostCentre()));
    if (centre == track.thumbCentre(m_position))
        return;
    setPosition(track.positionAt(centre));
    emit moving(m_controlId, m_position);
}

void BitmapSlider::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    update();
    emit moved(m_controlId, m_position);
}

void BitmapSlider::keyPressEvent(QKeyEvent* event)
{
    int target = 0;
    switch (event->key()) {
    case Qt::Key_PageUp: target = m_position - m_pageStep; break;
    case Qt::Key_PageDown: target = m_position + m_pageStep; break;
    case Qt::Key_End: target = m_maximum; break;
    case Qt::Key_Home: target = m_minimum; break;
    case Qt::Key_Right:
    case Qt::Key_Down: target = m_position + 1; break;
    case Qt::Key_Left:
    case Qt::Key_Up: target = m_position - 1; break;
    default: QWidget::keyPressEvent(event); return;
    }
    stepTo(target);
}

void BitmapSlider::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void BitmapSlider::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void BitmapSlider::changeEvent(QEvent* event)
{
    // Disabling in the middle of a drag ends it; Qt drops the mouse grab itself.
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        m_dragging = false;
    QWidget::changeEvent(event);
}
