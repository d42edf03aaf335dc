#include "evaluation/diagram_places.h"

#include "platform/profile.h"

namespace {

constexpr int kCascadeStep = 32;
constexpr int kMargin = 40;

QString placeKey(DiagramKind kind)
{
    return QStringLiteral("Diagram windows/Place%1").arg(static_cast<int>(kind));
}

} // namespace

QPoint diagramPlace(DiagramKind kind, const QRect& available)
{
    const QVariant stored = openProfile()->value(placeKey(kind));
    // A place on a screen that is gone no longer counts.
    if (stored.canConvert<QPoint>() && stored.isValid() && available.contains(stored.toPoint()))
        return stored.toPoint();
    const int step = kCascadeStep * static_cast<int>(diagramIndex(kind));
    return available.topLeft() + QPoint(kMargin + step, kMargin + step);
}

void rememberDiagramPlace(DiagramKind kind, const QPoint& place)
{
    openProfile()->setValue(placeKey(kind), place);
}
