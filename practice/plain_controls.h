#pragma once

#include "records/calendar_time.h"

#include <QColor>
#include <QLabel>
#include <QProgressBar>
#include <QWidget>

// Plain stand-ins for the form's drawn controls, with their operations.

// The interval clock: hours (within a day), minutes and seconds.
class PlainClock : public QLabel {
    Q_OBJECT
public:
    explicit PlainClock(QWidget* parent = nullptr);
    void setTime(TimeSpan span);
    void setRunning(bool running);
    // Dark (blank face) while the measuring mode is off.
    void setLit(bool lit);
    bool isRunning() const { return m_running; }
    bool isLit() const { return m_lit; }

private:
    void refresh();
    TimeSpan m_span = 0;
    bool m_running = false;
    bool m_lit = false;
};

// The progress bar of the fixed total exercise time, 0..100.
class PlainProgress : public QProgressBar {
    Q_OBJECT
public:
    explicit PlainProgress(QWidget* parent = nullptr);
    void setPos(int pos); // clamped to 0..100
};

// The banner: a horizontal gradient from a left to a right colour.
class PlainBanner : public QWidget {
    Q_OBJECT
public:
    explicit PlainBanner(QWidget* parent = nullptr);
    void setBkColor(const QColor& left, const QColor& right);
    QColor leftColor() const { return m_left; }
    QColor rightColor() const { return m_right; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_left;
    QColor m_right;
};

// A transparent label on the banner.
class PlainBannerLabel : public QLabel {
    Q_OBJECT
public:
    explicit PlainBannerLabel(QWidget* parent = nullptr);
    void setTextColor(const QColor& color);
    void setWindowText(const QString& text);
    QColor textColor() const { return m_textColor; }

private:
    QColor m_textColor;
};
