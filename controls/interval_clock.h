#pragma once

#include "controls/clock_face.h"

#include <QPixmap>
#include <QWidget>

#include <cstdint>

// Resource numbers of the pictures, compiled in as ":/bitmaps/<number>.png".
struct ClockPictures {
    int background = 150;    // 151 x 72; the clock takes exactly its size
    int largeDigits = 146;   // 0..9 side by side, 24 x 34 each
    int smallDigits = 153;   // 0..9 side by side, 12 x 17 each
    int notRunning = 151;    // indicator, 111 x 23
    int runningFirst = 149;  // indicator while running, first blink picture
    int runningSecond = 152; // indicator while running, second blink picture
};

// The digital clock face of the main form: hours and minutes in large digits,
// seconds in small ones and an indicator that blinks while an interval runs,
// all composed from six pictures. Dark (the plain background) until lit.
class IntervalClock : public QWidget {
    Q_OBJECT
public:
    explicit IntervalClock(QWidget* parent = nullptr);

    // Loads the pictures and takes the background's size. If one cannot be
    // loaded, none is kept and the clock paints nothing; returns false then.
    bool setPictures(const ClockPictures& pictures = ClockPictures{});
    bool hasPictures() const { return !m_background.isNull(); }

    void setLit(bool lit);
    void setRunning(bool running);
    void setTime(std::int64_t seconds);

    // The time on the face as "HH:MM:SS"; empty while the face is dark.
    QString shownTime() const;

    bool isLit() const { return m_face.isLit(); }
    bool isRunning() const { return m_face.isRunning(); }
    std::int64_t span() const { return m_face.span(); }
    const ClockFace& face() const { return m_face; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QPixmap& indicatorPicture() const;
    // Repaints, and tells a screen reader when the time shown is no longer `before`.
    void showChange(const QString& before);

    ClockFace m_face;
    QPixmap m_background;
    QPixmap m_largeDigits;
    QPixmap m_smallDigits;
    QPixmap m_notRunning;
    QPixmap m_runningFirst;
    QPixmap m_runningSecond;
};
