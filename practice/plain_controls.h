#pragma once

#include "calendar_time.h"

#include <QColor>
#include <QLabel>
#include <QProgressBar>
#include <QWidget>

// Plain stand-ins for the form's drawn controls, with their operations.

// The interval clock: hours (within a day), minutes and seconds.
class CPlainClock : public QLabel {
    Q_OBJECT
public:
    explicit CPlainClock(QWidget* parent = nullptr);
    void SetTime(TimeSpan span);
    void SetRunning(bool running);
    // Dark (blank face) while the measuring mode is off.
    void SetLit(bool lit);
    bool IsRunning() const { return m_bRunning; }
    bool IsLit() const { return m_bLit; }

private:
    void Refresh();
    TimeSpan m_span = 0;
    bool m_bRunning = false;
    bool m_bLit = false;
};

// The progress bar of the fixed total exercise time, 0..100.
class CPlainProgress : public QProgressBar {
    Q_OBJECT
public:
    explicit CPlainProgress(QWidget* parent = nullptr);
    void SetPos(int pos); // clamped to 0..100
};

// The banner: a horizontal gradient from a left to a right colour.
class CPlainBanner : public QWidget {
    Q_OBJECT
public:
    explicit CPlainBanner(QWidget* parent = nullptr);
    void SetBkColor(const QColor& left, const QColor& right);
    QColor LeftColor() const { return m_left; }
    QColor RightColor() const { return m_right; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_left;
    QColor m_right;
};

// A transparent label on the banner.
class CPlainBannerLabel : public QLabel {
    Q_OBJECT
public:
    explicit CPlainBannerLabel(QWidget* parent = nullptr);
    void SetTextColor(const QColor& color);
    void SetWindowText(const QString& text);
    QColor TextColor() const { return m_textColor; }

private:
    QColor m_textColor;
};
