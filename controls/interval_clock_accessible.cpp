#include "controls/interval_clock_accessible.h"

#include "controls/interval_clock.h"

#include <algorithm>

IntervalClockAccessible::IntervalClockAccessible(IntervalClock* clock)
    : QAccessibleWidget(clock, QAccessible::StaticText)
{
}

QString IntervalClockAccessible::shownTime() const
{
    return static_cast<IntervalClock*>(widget())->shownTime();
}

void* IntervalClockAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString IntervalClockAccessible::text(QAccessible::Text textType) const
{
    if (textType == QAccessible::Value)
        return shownTime();
    return QAccessibleWidget::text(textType);
}

void IntervalClockAccessible::selection(int, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

QString IntervalClockAccessible::text(int startOffset, int endOffset) const
{
    const QString time = shownTime();
    if (endOffset < 0 || endOffset > time.size())
        endOffset = int(time.size());
    startOffset = std::clamp(startOffset, 0, endOffset);
    return time.mid(startOffset, endOffset - startOffset);
}

int IntervalClockAccessible::characterCount() const
{
    return int(shownTime().size());
}

QString IntervalClockAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    // One run without attributes of its own over the whole time.
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}
