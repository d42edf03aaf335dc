#pragma once

#include <QAccessibleWidget>

class BevelProgressBar;

// The progress bar as a screen reader meets it: a progress bar with its name
// and its value from 0 to 100, which only the program changes.
class BevelProgressBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit BevelProgressBarAccessible(BevelProgressBar* bar);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text textType) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override { }
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override { return 0; }

private:
    BevelProgressBar* bar() const;
};
