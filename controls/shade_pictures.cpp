#include "controls/shade_pictures.h"

#include <QPalette>

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kPaletteSize = 256;
constexpr int kRandomMax = 32767;
// A fixed start, so the same size always gets the same grain.
constexpr std::uint32_t kNoiseSeed = 1;

int mix(int a, int weightA, int b, int weightB, int total)
{
    return (a * weightA + b * weightB) / total;
}

// On plain RGB values: the palettes of a dozen buttons mix some ten thousand
// colours before the first paint.
QRgb mixed(QRgb a, int weightA, QRgb b, int weightB, int total)
{
    return qRgb(mix(qRed(a), weightA, qRed(b), weightB, total), mix(qGreen(a), weightA, qGreen(b), weightB, total),
                mix(qBlue(a), weightA, qBlue(b), weightB, total));
}

// Entry kHalf - 1 + step of the ramp's upper half, from the face toward the highlight.
QRgb upperRampEntry(QRgb face, QRgb highlight, int step)
{
    constexpr int kHalf = kPaletteSize / 2;
    return mixed(highlight, step, face, kHalf - step, kHalf);
}

QRgb blendedEntry(QRgb entry, QRgb colour, int percent)
{
    return mixed(colour, percent, entry, 100 - percent, 100);
}

// The classic linear congruential generator of the C library, 0..32767,
// scaled to -granularity..+granularity.
class ProgramNoise {
public:
    explicit ProgramNoise(int granularity)
        : m_step(granularity > 0 ? kRandomMax / (2 * granularity) : kRandomMax), m_granularity(granularity)
    {
    }
    int operator()()
    {
        m_state = m_state * 214013u + 2531011u;
        const int random = static_cast<int>((m_state >> 16) & 0x7fff);
        return random / m_step - m_granularity;
    }

private:
    std::uint32_t m_state = kNoiseSeed;
    int m_step;
    int m_granularity;
};

QImage indexedImage(QSize size, const QList<QRgb>& palette)
{
    QImage image(size, QImage::Format_Indexed8);
    image.setColorTable(palette);
    return image;
}

// Alternating shadow and highlight dots, the first one a shadow dot.
QImage dottedLine(QSize size, const QList<QRgb>& palette, bool fromBottom)
{
    QImage line = indexedImage(size, palette);
    const int length = std::max(size.width(), size.height());
    for (int i = 0; i < length; ++i) {
        const uchar index = i % 2 == 0 ? 0 : kPaletteSize - 1;
        if (size.height() == 1)
            line.setPixel(i, 0, index);
        else
            line.setPixel(0, fromBottom ? length - 1 - i : i, index);
    }
    return line;
}

// Called with the program's noise directly, the noise is inlined: a dozen
// buttons take some fifty thousand pixels.
template <typename Noise>
QImage noisyTexture(QSize size, int granularity, Noise& noise)
{
    const int width = size.width();
    const int height = size.height();
    QImage image(size, QImage::Format_Indexed8);
    if (image.isNull())
        return image;
    const auto shaken = [&noise](int value) { return static_cast<uchar>(static_cast<std::uint8_t>(value + noise())); };

    const int bevel = std::min(width / 6, 16);
    // The denominator of the bevel's curve; a one-pixel-high picture would
    // make it zero.
    const int curve = std::max(height * height / 4, 1);
    for (int y = 0; y < height; ++y) { // counted from the bottom
        uchar* line = image.scanLine(height - 1 - y);
        // A cubic from dark to bright, flat around the middle row.
        const int k = 255 * y / height - 127;
        const int level = k * k * k / 16384 * (64 - granularity) * 2 / 128 + 128;
        for (int x = 0; x < width; ++x)
            line[x] = shaken(level);

        const int z = y - height / 2;
        const int reach = z * bevel * z / curve + width / 2 - bevel;
        for (int x = 0; x < width; ++x) {
            // The right bevel mirrors the left one, so both are equally wide.
            if (bevel > 0 && width - 1 - x - width / 2 + reach < 0)
                line[x] = static_cast<uchar>(128 * (width - x) / bevel + granularity);
            else if (bevel > 0 && x - width / 2 + reach < 0)
                line[x] = static_cast<uchar>(255 - granularity - 128 * x / bevel);
            line[x] = shaken(line[x]);
        }
    }
    return image;
}

} // namespace

ShadePictures::Colours ShadePictures::Colours::fromPalette(const QPalette& palette)
{
    // The roles a desktop button's own 3D edges are drawn in.
    return {palette.color(QPalette::Active, QPalette::Dark), palette.color(QPalette::Active, QPalette::Button),
            palette.color(QPalette::Active, QPalette::Light)};
}

ShadePictures::ShadePictures(QSize size, int focusOffset, const Colours& colours)
    : ShadePictures(size, focusOffset, colours, Shading())
{
}

ShadePictures::ShadePictures(QSize size, int focusOffset, const Colours& colours, const Shading& shading)
{
    if (size.isEmpty())
        return;
    const QList<QRgb> ramp = rampPalette(colours);
    const QList<QRgb> face = blended(ramp, shading.tint, std::clamp(shading.colouring, 0, 100));

    ProgramNoise noise(shading.granularity);
    m_normal = noisyTexture(size, shading.granularity, noise);
    m_normal.setColorTable(face);
    m_disabled = m_normal;
    m_hover = m_normal;
    m_hover.setColorTable(blended(face, colours.highlight, std::clamp(shading.highlight, 0, 100)));
    m_down = m_hover;

    m_focusHorizontal = dottedLine(QSize(std::max(size.width() - 2 * focusOffset - 1, 1), 1), ramp, false);
    m_focusVertical = dottedLine(QSize(1, std::max(size.height() - 2 * focusOffset, 1)), ramp, true);
}

QColor ShadePictures::faceColour() const
{
    return isNull() ? QColor() : QColor(m_normal.color(kPaletteSize / 2));
}

QColor ShadePictures::faceColourFor(const Colours& colours)
{
    const Shading shading;
    // Entry 128 is the first of the ramp's upper half.
    return QColor(blendedEntry(upperRampEntry(colours.face.rgb(), colours.highlight.rgb(), 1), shading.tint.rgb(),
                               std::clamp(shading.colouring, 0, 100)));
}

QList<QRgb> ShadePictures::rampPalette(const Colours& colours)
{
    QList<QRgb> palette(kPaletteSize);
    constexpr int kHalf = kPaletteSize / 2;
    const QRgb shadow = colours.shadow.rgb();
    const QRgb face = colours.face.rgb();
    const QRgb highlight = colours.highlight.rgb();
    for (int i = 0; i <= kHalf; ++i)
        palette[i] = mixed(face, i, shadow, kHalf - i, kHalf);
    // The upper half begins by overwriting entry 128, so the face itself lies between entries 127 and 128.
    for (int a = 1; a <= kHalf; ++a)
        palette[kHalf - 1 + a] = upperRampEntry(face, highlight, a);
    return palette;
}

QList<QRgb> ShadePictures::blended(QList<QRgb> palette, const QColor& colour, int percent)
{
    const QRgb towards = colour.rgb();
    for (QRgb& entry : palette)
        entry = blendedEntry(entry, towards, percent);
    return palette;
}

QImage ShadePictures::texture(QSize size, int granularity, const std::function<int()>& noise)
{
    return noisyTexture(size, granularity, noise);
}

std::function<int()> ShadePictures::noiseSource(int granularity)
{
    return ProgramNoise(granularity);
}
