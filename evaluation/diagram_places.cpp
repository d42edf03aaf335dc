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

QPoint diagramPlace(DiagramKind kind, QSize windowSize, const QList<QRect>& availableAreas, const QRect& openerArea)
{
    const QVariant stored = openProfile()->value(placeKey(kind));
    // A place on a screen that is gone or got smaller no longer counts.
    if (stored.isValid() && stored.canConvert<QPoint>()) {
        const QRect window(stored.toPoint(), windowSize);
        for (const QRect& area : availableAreas)
            if (area.contains(window))
                return window.topLeft();
    }
    const int step = kCascadeStep * static_cast<int>(diagramIndex(kind));
    return openerArea.topLeft() + QPoint(kMargin + step, kMargin + step);
}

void rememberDiagramPlace(DiagramKind kind, const QPoint& place)
{
    openProfile()->setValue(placeKey(kind), place);
}
