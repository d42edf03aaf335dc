#include "controls/interval_clock.h"

#include "controls/form_pictures.h"

#include <QPainter>

namespace {

QPixmap loadPicture(int resourceNumber)
{
    makeFormPicturesAvailable();
    return QPixmap(QStringLiteral(":/bitmaps/%1.png").arg(resourceNumber));
}

} // namespace

IntervalClock::IntervalClock(QWidget* parent) : QWidget(parent)
{
    // Every paint covers the whole face, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool IntervalClock::setPictures(const ClockPictures& pictures)
{
    m_background = loadPicture(pictures.background);
    m_largeDigits = loadPicture(pictures.largeDigits);
    m_smallDigits = loadPicture(pictures.smallDigits);
    m_notRunning = loadPicture(pictures.notRunning);
    m_runningFirst = loadPicture(pictures.runningFirst);
    m_runningSecond = loadPicture(pictures.runningSecond);
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
    m_face.setLit(lit);
    update();
}

void IntervalClock::setRunning(bool running)
{
    m_face.setRunning(running);
    update();
}

void IntervalClock::setTime(std::int64_t seconds)
{
    m_face.setTime(seconds);
    update();
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
