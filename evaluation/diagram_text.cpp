#include "evaluation/diagram_text.h"

#include <ctime>

namespace {

// A time without a calendar date shows as "?".
std::string formatLocal(CalendarTime time, const char* format)
{
    const std::optional<std::tm> fields = calendarFields(time);
    if (!fields)
        return "?";
    char text[64];
    const std::size_t length = std::strftime(text, sizeof text, format, &*fields);
    return std::string(text, length);
}

} // namespace

std::string diagramTitle(const std::string& trainingTypeName, DiagramKind kind)
{
    const char* what = "";
    switch (kind) {
    case DiagramKind::Maximum: what = "Diagramm: Jhavari Maximum"; break;
    case DiagramKind::Average: what = "Diagramm: Jhavari Average"; break;
    case DiagramKind::Median: what = "Diagramm: Jhavari Median"; break;
    case DiagramKind::Sikkhati: what = "Diagramm: Sikkhati ability"; break;
    }
    return trainingTypeName + " Training, " + what;
}

std::string footerText(DiagramKind kind, const std::string& documentTitle, CalendarTime filter, CalendarTime today)
{
    std::string footer = "Date: " + formatLocal(today, "%d.%m.%y") + ", File: " + documentTitle;
    if (durationSeconds(filter) > 0 && isFiltered(kind)) {
        footer += ", Filter time: " + formatLocal(filter, "%H:%M:%S") +
                  " (Values under this time were filtered out before the calculation.)";
    } else {
        footer += ", Filter time: off";
    }
    return footer;
}
