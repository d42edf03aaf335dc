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
    qsizetype end = 0; // the beginning taken so far is [start, end)
    while (end < text.size()) {
        if (isLineBreakPair(text, end)) {
            lines.append(text.mid(start, end - start));
            start = end = end + 2;
            continue;
        }
        ++end;
        if (m_width(text.mid(start, end - start)) <= availableWidth)
            continue;

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
        end = start;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}
