#include "controls/line_breaker.h"

#include <QFontMetrics>

#include <algorithm>

namespace {

constexpr QChar kBlank = u' ';

bool isLineBreakPair(const QString& text, qsizetype index)
{
    if (index + 1 >= text.size())
        return false;
    const QChar first = text.at(index);
    const QChar second = text.at(index + 1);
    return (first == u'\r' && second == u'\n') || (first == u'\n' && second == u'\r');
}

} // namespace

LineBreaker::LineBreaker(WidthFunction width) : m_width(std::move(width))
{
}

LineBreaker::LineBreaker(const QFontMetrics& metrics)
    : m_width([metrics](const QString& text) {
          QString shown = text;
          shown.remove(u'\r').remove(u'\n');
          return metrics.horizontalAdvance(shown);
      })
{
}

QStringList LineBreaker::breakLines(const QString& text, int availableWidth) const
{
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype pairAt = start;
        while (pairAt < text.size() && !isLineBreakPair(text, pairAt))
            ++pairAt;
        // The shortest beginning [start, end) wider than the label: widths
        // grow with the text, so halving the range finds it with a few
        // measurements instead of one per character.
        qsizetype end = pairAt + 1;
        if (pairAt > start && m_width(text.mid(start, pairAt - start)) > availableWidth) {
            qsizetype fits = start;
            end = pairAt;
            while (end - fits > 1) {
                const qsizetype middle = fits + (end - fits) / 2;
                if (m_width(text.mid(start, middle - start)) <= availableWidth)
                    fits = middle;
                else
                    end = middle;
            }
        }
        if (end > pairAt) {
            lines.append(text.mid(start, pairAt - start));
            if (pairAt == text.size())
                break;
            start = pairAt + 2;
            continue;
        }

        // Each line takes at least one character, so a label narrower than a
        // single character still shows the text, one character a line.
        const qsizetype candidateEnd = std::max(end - 1, start + 1);
        const QString candidate = text.mid(start, candidateEnd - start);
        const qsizetype lastBlank = candidate.lastIndexOf(kBlank);
        if (lastBlank <= 0 || lastBlank == candidate.size() - 1) {
            lines.append(candidate);
            start = candidateEnd;
            // A line cut just before a blank: the next line must not begin with it.
            while (start < text.size() && text.at(start) == kBlank)
                ++start;
        } else {
            lines.append(candidate.left(lastBlank));
            start += lastBlank + 1;
        }
    }
    return lines;
}
