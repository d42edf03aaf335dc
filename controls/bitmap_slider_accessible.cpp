#include "controls/bitmap_slider_accessible.h"

#include "controls/bitmap_slider.h"

#include <algorithm>
#include <cmath>

BitmapSliderAccessible::BitmapSliderAccessible(BitmapSlider* slider) : QAccessibleWidget(slider, QAccessible::Slider)
{
}

BitmapSlider* BitmapSliderAccessible::slider() const
{
    return static_cast<BitmapSlider*>(widget());
}

void* BitmapSliderAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString BitmapSliderAccessible::text(QAccessible::Text textType) const
{
    if (textType == QAccessible::Value)
        return QString::number(slider()->position());
    return QAccessibleWidget::text(textType);
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
