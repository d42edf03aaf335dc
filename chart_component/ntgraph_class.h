#pragma once

// The chart component's file name and class identifier, as the program and
// the component itself know them.
inline constexpr const char* kChartControlFileName = "NTGraph.ocx";
inline constexpr const char* kChartControlClassId = "{C9FE01C2-2746-479B-96AB-E0BE9931B018}";
inline constexpr const char* kChartControlName = "NTGraph Control";
