#pragma once

#include <QColor>

// The contrast of two colours as the web's accessibility guidelines measure
// it: from 1 (the same lightness) to 21 (black on white).
double contrastRatio(const QColor& first, const QColor& second);

// The colour itself where it reaches the contrast against the background;
// otherwise the same hue made lighter on a dark background (darker on a light
// one) just until it does, or as far as it goes.
QColor readableOn(const QColor& colour, const QColor& background, double minimumContrast);

// The colour moved toward the background just until its contrast is at most
// maximumContrast: text that is there but does not stand out.
QColor fadedOn(const QColor& colour, const QColor& background, double maximumContrast);
