#pragma once

#include "evaluation/diagram_kind.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where a diagram window of the given outer size opens: where it was last
// closed, as the profile remembers it, when the whole window fits there on one
// of the available screen areas; else cascaded by its kind from the top left
// of the opener's free screen area, so that the four windows never hide one
// another completely.
QPoint diagramPlace(DiagramKind kind, QSize windowSize, const QList<QRect>& availableAreas, const QRect& openerArea);
void rememberDiagramPlace(DiagramKind kind, const QPoint& place);
