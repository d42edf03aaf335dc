#pragma once

#include "calendar_time.h"
#include "diagram_kind.h"

#include <string>

// "<training type> Training, Diagramm: ..." as bytes of the type's name.
std::string GetDiagramTitle(const std::string& trainingTypeName, DiagramKind kind);

// "Date: dd.mm.yy, File: <title>, Filter time: ..." for the given day.
std::string GetFooterText(DiagramKind kind, const std::string& documentTitle, CalendarTime filter,
                          CalendarTime today);
