#include "controls/interval_clock.h"

#include "controls/control_accessibility.h"
#include "controls/form_pictures.h"

#include <QAccessible>
#include <QPainter>

IntervalClock::IntervalClock(QWidget* parent) : QWidget(parent)
{
    // Every paint covers the whole face, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    installControlAccessibility();
}

bool IntervalClock::setPictures(const ClockPictures& pictures)
{
    m_background = formPicture(pictures.background);
    m_largeDigits = formPicture(pictures.largeDigits);
    m_smallDigits = formPicture(pictures.smallDigits);
    m_notRunning = formPicture(pictures.notRunning);
    m_runningFirst = formPicture(pictures.runningFirst);
    m_runningSecond = formPicture(pictures.runningSecond);
    const bool loaded = !m_background.isNull() && !m_largeDigits.isNull() && !m_smallDigits.isNull() &&
                        !m_notRunning.isNull() && !m_runningFirst.isNull() && !m_runningSecond.isNull();
    if (!loaded) {
        m_background = m_largeDigits = m_smallDigits = QPixmap();
        m_notRunning = m_runningFirst = m_runningSecond = QPixmap();
        setAttribute(Qt::WA_OpaquePaintEvent, false);
        update();
        return false;
    }
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(m_background.deviceIndependentSize().toSize());
    update();
    return true;
}

void IntervalClock::setLit(bool lit)
{
    const QString before = QAccessible::isActive() ? shownTime() : QString();
    m_face.setLit(lit);
    showChange(before);
}

void IntervalClock::setRunning(bool running)
{
    m_face.setRunning(running);
    update();
}

void IntervalClock::setTime(std::int64_t seconds)
{
    const QString before = QAccessible::isActive() ? shownTime() : QString();
    m_face.setTime(seconds);
    showChange(before);
}

QString IntervalClock::shownTime() const
{
    if (!m_face.isLit() || !hasPictures())
        return {};
    const ClockFace::Digits& d = m_face.digits();
    return QStringLiteral("%1%2:%3%4:%5%6").arg(d[0]).arg(d[1]).arg(d[2]).arg(d[3]).arg(d[4]).arg(d[5]);
}

void IntervalClock::showChange(const QString& before)
{
    update();
    if (!QAccessible::isActive())
        return;
    const QString now = shownTime();
    if (now == before)
        return;
    QAccessibleTextUpdateEvent event(this, 0, before, now);
    QAccessible::updateAccessibility(&event);
}

QSize IntervalClock::sizeHint() const
{
    return hasPictures() ? m_background.deviceIndependentSize().toSize() : QSize(151, 72);
}

const QPixmap& IntervalClock::indicatorPicture() const
{
    switch (m_face.indicator()) {
    case ClockFace::Indicator::RunningFirst: return m_runningFirst;
    case ClockFace::Indicator::RunningSecond: return m_runningSecond;
    case ClockFace::Indicator::NotRunning: break;
    }
    return m_notRunning;
}

void IntervalClock::paintEvent(QPaintEvent*)
{
    if (!hasPictures())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
    if (!m_face.isLit())
        return;
    const ClockFace::Digits& digits = m_face.digits();
    for (int i = 0; i < static_cast<int>(digits.size()); ++i) {
        const bool large = ClockFace::isLargeDigit(i);
        const QSize size = large ? ClockFace::kLargeDigitSize : ClockFace::kSmallDigitSize;
        const QRect source(digits[i] * size.width(), 0, size.width(), size.height());
        painter.drawPixmap(QRect(ClockFace::kDigitPositions[i], size), large ? m_largeDigits : m_smallDigits, source);
    }
    painter.drawPixmap(ClockFace::kIndicatorPosition, indicatorPicture());
}
