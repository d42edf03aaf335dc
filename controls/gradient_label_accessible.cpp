#include "controls/gradient_label_accessible.h"

#include "controls/gradient_label.h"

GradientLabelAccessible::GradientLabelAccessible(GradientLabel* label)
    : QAccessibleWidget(label, QAccessible::StaticText)
{
}

QString GradientLabelAccessible::text(QAccessible::Text textType) const
{
    const QString text = QAccessibleWidget::text(textType);
    if (text.isEmpty() && textType == QAccessible::Name)
        return static_cast<GradientLabel*>(widget())->text();
    return text;
}
