#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>

#include <functional>

class QPalette;

// The pictures of a shaded button: a textured face of 8-bit palette pixels,
// lit from the top left, tinted, in its normal, disabled, hover and pressed
// variants, and the two dotted lines of its focus frame. They are made once
// per size and palette.
class ShadePictures {
public:
    // The one shading every form of the program uses.
    struct Shading {
        int granularity = 8; // noise in -granularity..+granularity
        int highlight = 10;  // percent the hover face moves toward the highlight colour
        int colouring = 5;   // percent of the tint in the face
        QColor tint = QColor(55, 255, 55);
    };

    // The colours the palette runs through: shadow at entry 0, face around
    // entry 128, highlight at entry 255.
    struct Colours {
        QColor shadow;
        QColor face;
        QColor highlight;

        static Colours fromPalette(const QPalette& palette);
    };

    ShadePictures() = default;
    // With the program's shading.
    ShadePictures(QSize size, int focusOffset, const Colours& colours);
    ShadePictures(QSize size, int focusOffset, const Colours& colours, const Shading& shading);

    bool isNull() const { return m_normal.isNull(); }
    QSize size() const { return m_normal.size(); }

    const QImage& normal() const { return m_normal; }
    const QImage& disabled() const { return m_disabled; }
    const QImage& hover() const { return m_hover; }
    const QImage& down() const { return m_down; }
    const QImage& focusHorizontal() const { return m_focusHorizontal; }
    const QImage& focusVertical() const { return m_focusVertical; }
    // The tinted face colour, the middle tone behind a button's text.
    QColor faceColour() const;
    // The same colour with the program's shading, without making the pictures.
    static QColor faceColourFor(const Colours& colours);

    // 256 entries from shadow through face to highlight.
    static QList<QRgb> rampPalette(const Colours& colours);
    // Every entry moved toward colour by percent (0..100).
    static QList<QRgb> blended(QList<QRgb> palette, const QColor& colour, int percent);
    // The palette indices of the face: rows dark at the bottom and bright at
    // the top, bevelled at both sides, each pixel shaken by noise() with
    // 8-bit wrap-around. noise() returns values in -granularity..+granularity.
    static QImage texture(QSize size, int granularity, const std::function<int()>& noise);
    // The program's noise: the same sequence for every set of pictures, so
    // that a button keeps its texture when only the colours change.
    static std::function<int()> noiseSource(int granularity);

private:
    QImage m_normal;
    QImage m_disabled;
    QImage m_hover;
    QImage m_down;
    QImage m_focusHorizontal;
    QImage m_focusVertical;
};
