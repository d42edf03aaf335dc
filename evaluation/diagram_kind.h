#pragma once

#include <cstddef>
#include <cstdint>

// The four diagrams; the number is also the page of the printout.
enum class DiagramKind {
    Maximum = 1,
    Average = 2,
    Median = 3,
    Sikkhati = 4,
};

constexpr DiagramKind kDiagramKinds[] = {DiagramKind::Maximum, DiagramKind::Average, DiagramKind::Median,
                                         DiagramKind::Sikkhati};

// A kind's place in arrays of the four kinds, 0 to 3.
constexpr std::size_t diagramIndex(DiagramKind kind)
{
    return static_cast<std::size_t>(kind) - 1;
}

// The line colour of a kind as 0x00BBGGRR.
constexpr std::uint32_t diagramColor(DiagramKind kind)
{
    switch (kind) {
    case DiagramKind::Maximum: return 0xFF0000;  // blue
    case DiagramKind::Average: return 0x000080;  // dark red
    case DiagramKind::Median: return 0x0000FF;   // red
    case DiagramKind::Sikkhati: return 0x008000; // green
    }
    return 0;
}

// Whether the filter time applies to the kind's values.
constexpr bool isFiltered(DiagramKind kind)
{
    return kind != DiagramKind::Sikkhati;
}

// The kind's name: the diagram window's title and the tool tips' value label.
constexpr const char* diagramName(DiagramKind kind)
{
    switch (kind) {
    case DiagramKind::Maximum: return "Maximum";
    case DiagramKind::Average: return "Average";
    case DiagramKind::Median: return "Median";
    case DiagramKind::Sikkhati: break;
    }
    return "Sikkhati";
}
