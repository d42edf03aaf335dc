#pragma once

#include "evaluation/diagram_kind.h"

// What the terms on the forms mean, one or two sentences each, for their tool tips.

// What the values of a diagram measure.
const char* diagramExplanation(DiagramKind kind);
// What a column of the interval list shows, by column from 0 ("Date") to 6 ("Uddhacca"); empty beyond.
const char* intervalColumnExplanation(int column);

// The columns of the practice summary's tables after the day or week.
enum class SummaryColumn { Day, Week, Sittings, Intervals, IntervalTime, LongestCalm, UddhaccaShare };
const char* summaryColumnExplanation(SummaryColumn column);
