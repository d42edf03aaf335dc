#include "controls/bevel_progress_bar_accessible.h"

#include "controls/bevel_progress_bar.h"

BevelProgressBarAccessible::BevelProgressBarAccessible(BevelProgressBar* bar)
    : ValueControlAccessible(bar, QAccessible::ProgressBar)
{
}

BevelProgressBar* BevelProgressBarAccessible::bar() const
{
    return static_cast<BevelProgressBar*>(widget());
}

QString BevelProgressBarAccessible::valueText() const
{
    return QStringLiteral("%1 %").arg(bar()->value());
}

QVariant BevelProgressBarAccessible::currentValue() const
{
    return bar()->value();
}

QVariant BevelProgressBarAccessible::maximumValue() const
{
    return BevelProgressBar::kMaximum;
}

QVariant BevelProgressBarAccessible::minimumValue() const
{
    return BevelProgressBar::kMinimum;
}
