#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QFontMetrics;

// Breaks a text into the lines a label of a given width shows: at CR LF and
// LF CR pairs, after the last blank that still fits, and inside a word that is
// wider than the label on its own. The width of a piece of text comes from a
// callback, so the rules hold for any font and can be checked without one.
class LineBreaker {
public:
    using WidthFunction = std::function<int(const QString& text)>;

    explicit LineBreaker(WidthFunction width);
    // Measures as the label draws: a lone CR or LF takes no room.
    explicit LineBreaker(const QFontMetrics& metrics);

    QStringList breakLines(const QString& text, int availableWidth) const;

private:
    WidthFunction m_width;
};
