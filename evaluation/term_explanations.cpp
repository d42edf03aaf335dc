#include "evaluation/term_explanations.h"

#include <array>

const char* diagramExplanation(DiagramKind kind)
{
    switch (kind) {
    case DiagramKind::Maximum:
        return "Maximum: the longest interval of each measurement that was not ended by uddhacca, in minutes. "
               "Intervals shorter than the filter time are left out.";
    case DiagramKind::Average:
        return "Average: the mean length of the intervals of each measurement that were not ended by uddhacca, in "
               "minutes. Intervals shorter than the filter time are left out.";
    case DiagramKind::Median:
        return "Median: the middle length of the intervals of each measurement not ended by uddhacca; half of them "
               "lasted at least this long. Intervals shorter than the filter time are left out.";
    case DiagramKind::Sikkhati: break;
    }
    return "Sikkhati: the share of each measurement's interval time spent in intervals not ended by uddhacca, in "
           "percent; the higher, the steadier the concentration.";
}

const char* intervalColumnExplanation(int column)
{
    static constexpr std::array kColumns = {
        "The day the interval began.",
        "Measurement number: the intervals of one switching-on of the measuring mode (one sitting) share it.",
        "Run number: the place of the interval within its measurement, counted from 1.",
        "When the interval began.",
        "When the interval ended.",
        "How long the interval lasted.",
        "x: the interval was ended by uddhacca (restlessness), with the right mouse button or cut off.",
    };
    return column >= 0 && column < static_cast<int>(kColumns.size()) ? kColumns[static_cast<std::size_t>(column)] : "";
}

const char* summaryColumnExplanation(SummaryColumn column)
{
    switch (column) {
    case SummaryColumn::Day: return "The day; a sitting counts on the day it began, also when it ran past midnight.";
    case SummaryColumn::Week: return "The calendar week from Monday to Sunday, numbered as in ISO 8601.";
    case SummaryColumn::Sittings:
        return "Sittings: measurements, that is switchings-on of the measuring mode and blocks of typed-in or phone "
               "records.";
    case SummaryColumn::Intervals: return "The intervals of these sittings.";
    case SummaryColumn::IntervalTime: return "The total length of the intervals, uddhacca intervals included.";
    case SummaryColumn::LongestCalm: return "The longest interval that was not ended by uddhacca.";
    case SummaryColumn::UddhaccaShare: break;
    }
    return "Uddhacca share: the part of the interval time spent in intervals ended by uddhacca.";
}
