#pragma once

#include "evaluation/diagram_kind.h"

#include <QPoint>
#include <QRect>

// Where a diagram window opens: where it was last closed, as the profile
// remembers it, or else cascaded by its kind from the top left of the free
// screen area, so that the four windows never hide one another completely.
QPoint diagramPlace(DiagramKind kind, const QRect& available);
void rememberDiagramPlace(DiagramKind kind, const QPoint& place);
