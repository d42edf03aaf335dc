#pragma once

#include "evaluation/diagram_kind.h"
#include "records/calendar_time.h"

#include <string>

// "<training type> Training, Diagramm: ..." as bytes of the type's name.
std::string diagramTitle(const std::string& trainingTypeName, DiagramKind kind);

// "Date: dd.mm.yy, File: <title>, Filter time: ..." for the given day.
std::string footerText(DiagramKind kind, const std::string& documentTitle, CalendarTime filter, CalendarTime today);
