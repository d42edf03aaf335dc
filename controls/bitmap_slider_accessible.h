#pragma once

#include <QAccessibleWidget>

class BitmapSlider;

// A bitmap slider as a screen reader meets it: a slider with its name, its
// position within its range, and a value it can set as the user would with a key.
class BitmapSliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit BitmapSliderAccessible(BitmapSlider* slider);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text textType) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    BitmapSlider* slider() const;
};
