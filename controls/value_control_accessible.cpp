#include "controls/value_control_accessible.h"

void* ValueControlAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString ValueControlAccessible::text(QAccessible::Text textType) const
{
    if (textType == QAccessible::Value)
        return valueText();
    return QAccessibleWidget::text(textType);
}

QString ValueControlAccessible::valueText() const
{
    return currentValue().toString();
}
