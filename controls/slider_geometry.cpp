#include "controls/slider_geometry.h"

int SliderGeometry::thumbCentre(int position) const
{
    const int track = width - rightMargin - thumbWidth - leftMargin;
    const int range = maximum - minimum;
    const int offset = range == 0 ? 0 : static_cast<int>(static_cast<double>(track) * (position - minimum) / range);
    return leftMargin + offset + thumbWidth / 2;
}

int SliderGeometry::positionAt(int x) const
{
    const int track = width - rightMargin - leftMargin - thumbWidth;
    if (track <= 0)
        return minimum;
    return minimum +
           static_cast<int>(static_cast<double>(x - thumbWidth / 2 - leftMargin) / track * (maximum - minimum));
}
