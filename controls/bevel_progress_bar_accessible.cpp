#include "controls/bevel_progress_bar_accessible.h"

#include "controls/bevel_progress_bar.h"

BevelProgressBarAccessible::BevelProgressBarAccessible(BevelProgressBar* bar)
    : QAccessibleWidget(bar, QAccessible::ProgressBar)
{
}

BevelProgressBar* BevelProgressBarAccessible::bar() const
{
    return static_cast<BevelProgressBar*>(widget());
}

void* BevelProgressBarAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString BevelProgressBarAccessible::text(QAccessible::Text textType) const
{
    if (textType == QAccessible::Value)
        return QStringLiteral("%1 %").arg(bar()->value());
    return QAccessibleWidget::text(textType);
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
