#pragma once

#include "controls/value_control_accessible.h"

class BitmapSlider;

// A bitmap slider as a screen reader meets it: a slider with its name, its
// position within its range, and a value it can set as the user would with a key.
class BitmapSliderAccessible : public ValueControlAccessible {
public:
    explicit BitmapSliderAccessible(BitmapSlider* slider);

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    BitmapSlider* slider() const;
};
