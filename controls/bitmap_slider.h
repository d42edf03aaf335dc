#pragma once

#include "controls/slider_geometry.h"

#include <QMargins>
#include <QPixmap>
#include <QWidget>

// A horizontal slider drawn entirely from pictures: a channel whose part left
// of the thumb shows an "active" picture, and a thumb with a transparent colour.
// A disabled slider shows only its channel and ignores mouse and keys.
class BitmapSlider : public QWidget {
    Q_OBJECT

public:
    explicit BitmapSlider(int controlId, QWidget* parent = nullptr);

    int controlId() const { return m_controlId; }

    // The channel drawn opaque; the widget takes its size. False for a null picture.
    bool setChannelPictures(const QImage& channel, const QImage& activeChannel = {});
    // Pixels of the colour found at transparentPixel in each picture let the channel show through.
    bool setThumbPictures(const QImage& thumb, const QImage& activeThumb = {}, QPoint transparentPixel = {0, 0});
    // The look and scale of the main form's volume sliders: its pictures, range 0..20, position 10.
    void setUpAsVolumeSlider();

    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // Limited to the range.
    void setPosition(int position);
    // Moves the thumb as the user would by a key: a new position is reported
    // as moving, then the step as moved. Ignored while disabled.
    void stepTo(int position);
    int position() const { return m_position; }
    void setPageStep(int step) { m_pageStep = step; }
    int pageStep() const { return m_pageStep; }
    void setMargins(const QMargins& margins);
    void setFocusRectDrawn(bool drawn);
    bool isDragging() const { return m_dragging; }

    QSize sizeHint() const override;

signals:
    // The user moved the thumb: by dragging it, by a click on the channel, or by a key.
    void moving(int controlId, int position);
    // The mouse button was released, or a key stepped the slider.
    void moved(int controlId, int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    SliderGeometry geometry() const;
    void dragTo(int pointerX);

    int m_controlId;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_position = 0;
    int m_pageStep = 20;
    QMargins m_margins;
    bool m_focusRectDrawn = true;
    bool m_dragging = false;
    int m_dragOffset = 0; // pointer minus thumb centre when the thumb was gripped
    QPixmap m_channel;
    QPixmap m_activeChannel;
    QPixmap m_thumb;
    QPixmap m_activeThumb;
};
