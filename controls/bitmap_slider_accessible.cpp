#include "controls/bitmap_slider_accessible.h"

#include "controls/bitmap_slider.h"

#include <algorithm>
#include <cmath>

BitmapSliderAccessible::BitmapSliderAccessible(BitmapSlider* slider)
    : ValueControlAccessible(slider, QAccessible::Slider)
{
}

BitmapSlider* BitmapSliderAccessible::slider() const
{
    return static_cast<BitmapSlider*>(widget());
}

QVariant BitmapSliderAccessible::currentValue() const
{
    return slider()->position();
}

void BitmapSliderAccessible::setCurrentValue(const QVariant& value)
{
    bool isNumber = false;
    const double wanted = value.toDouble(&isNumber);
    if (isNumber && std::isfinite(wanted))
        slider()->stepTo(
            static_cast<int>(std::lround(std::clamp<double>(wanted, slider()->minimum(), slider()->maximum()))));
}

QVariant BitmapSliderAccessible::maximumValue() const
{
    return slider()->maximum();
}

QVariant BitmapSliderAccessible::minimumValue() const
{
    return slider()->minimum();
}

QVariant BitmapSliderAccessible::minimumStepSize() const
{
    return 1;
}
