#pragma once

#include <cstdint>

// The four diagrams; the number is also the page of the printout.
enum DiagramKind {
    Maximum = 1,
    Average = 2,
    Median = 3,
    Sikkhati = 4,
};

constexpr DiagramKind kDiagramKinds[] = {Maximum, Average, Median, Sikkhati};

// The line colour of a kind as 0x00BBGGRR.
constexpr std::uint32_t diagramColor(DiagramKind kind)
{
    switch (kind) {
    case Maximum: return 0xFF0000;  // blue
    case Average: return 0x000080;  // dark red
    case Median: return 0x0000FF;   // red
    case Sikkhati: return 0x008000; // green
    }
    return 0;
}

// Whether the filter time applies to the kind's values.
constexpr bool isFiltered(DiagramKind kind)
{
    return kind != Sikkhati;
}
