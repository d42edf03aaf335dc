#pragma once

#include <QAccessibleWidget>

class GradientLabel;

// The gradient label as a screen reader meets it: a label named by its text.
class GradientLabelAccessible : public QAccessibleWidget {
public:
    explicit GradientLabelAccessible(GradientLabel* label);

    QString text(QAccessible::Text textType) const override;
};
