#include "controls/text_contrast.h"

#include <cmath>

namespace {

double linearChannel(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double relativeLuminance(const QColor& colour)
{
    return 0.2126 * linearChannel(colour.redF()) + 0.7152 * linearChannel(colour.greenF()) +
           0.0722 * linearChannel(colour.blueF());
}

QColor withLightness(const QColor& colour, int lightness)
{
    return QColor::fromHsl(colour.hslHue(), colour.hslSaturation(), lightness).toRgb();
}

// The mix of the two colours that is weight parts (of 255) the first one.
QColor mixed(const QColor& first, const QColor& second, int weight)
{
    const auto channel = [weight](int a, int b) { return (a * weight + b * (255 - weight)) / 255; };
    return QColor(channel(first.red(), second.red()), channel(first.green(), second.green()),
                  channel(first.blue(), second.blue()));
}

} // namespace

double contrastRatio(const QColor& first, const QColor& second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor readableOn(const QColor& colour, const QColor& background, double minimumContrast)
{
    if (contrastRatio(colour, background) >= minimumContrast)
        return colour;
    // Towards white or black, whichever the background lets stand out more.
    const bool lighter = contrastRatio(Qt::white, background) >= contrastRatio(Qt::black, background);
    const int from = colour.lightness();
    const int to = lighter ? 255 : 0;
    // The lightness is monotonic in the contrast along the way: the first one far enough is found by halving.
    int low = 0;
    int high = std::abs(to - from);
    const auto at = [&](int step) { return withLightness(colour, from + (lighter ? step : -step)); };
    if (contrastRatio(at(high), background) < minimumContrast)
        return at(high);
    while (low < high) {
        const int middle = (low + high) / 2;
        if (contrastRatio(at(middle), background) >= minimumContrast)
            high = middle;
        else
            low = middle + 1;
    }
    return at(high);
}

QColor fadedOn(const QColor& colour, const QColor& background, double maximumContrast)
{
    if (contrastRatio(colour, background) <= maximumContrast)
        return colour;
    int low = 0; // weight of the colour, 0 is the background itself
    int high = 255;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (contrastRatio(mixed(colour, background, middle), background) <= maximumContrast)
            low = middle;
        else
            high = middle - 1;
    }
    return mixed(colour, background, low);
}
