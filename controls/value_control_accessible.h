#pragma once

#include <QAccessibleWidget>

// A drawn control that stands for a number within a range, as a screen reader
// meets it: a widget of its role and name that offers Qt's value interface and
// reads its value out as its Value text.
class ValueControlAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    using QAccessibleWidget::QAccessibleWidget;

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text textType) const override;

protected:
    // The current value as it is read out.
    virtual QString valueText() const;
};
