#pragma once

#include "diagram_kind.h"

#include <QPointer>

class CNonModalGraph;
class CVersenkwerkDoc;
class QWidget;

// The open diagram windows, at most one per kind.
class CDiagramWindows {
public:
    explicit CDiagramWindows(const CVersenkwerkDoc& doc);
    ~CDiagramWindows();
    CDiagramWindows(const CDiagramWindows&) = delete;
    CDiagramWindows& operator=(const CDiagramWindows&) = delete;

    // Opens the window of the kind, or brings the open one forward.
    void OpenDiagram(DiagramKind kind, QWidget* messageParent);
    // Refills every open window, Maximum first.
    void RefreshDiagrams();
    // Closes every open window, Maximum first.
    void CloseDiagrams();

    CNonModalGraph* GetWindow(DiagramKind kind) const;

private:
    QPointer<CNonModalGraph>& Slot(DiagramKind kind);

    const CVersenkwerkDoc& m_doc;
    QPointer<CNonModalGraph> m_pGraphMaximum;
    QPointer<CNonModalGraph> m_pGraphAverage;
    QPointer<CNonModalGraph> m_pGraphMedian;
    QPointer<CNonModalGraph> m_pGraphSikkhati;
};
