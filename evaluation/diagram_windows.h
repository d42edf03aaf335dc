#pragma once

#include "evaluation/diagram_kind.h"

#include <QPointer>

class DiagramWindow;
class PracticeSummaryWindow;
class TrainingDocument;
class QWidget;

// The open diagram windows, at most one per kind.
class DiagramWindows {
public:
    explicit DiagramWindows(const TrainingDocument& doc);
    ~DiagramWindows();
    DiagramWindows(const DiagramWindows&) = delete;
    DiagramWindows& operator=(const DiagramWindows&) = delete;

    // Opens the window of the kind, or brings the open one forward.
    void openDiagram(DiagramKind kind, QWidget* messageParent);
    // Opens the practice summary, or brings the open one forward.
    void openSummary();
    // Refills every open window, Maximum first, the practice summary last.
    void refreshDiagrams();
    // Closes every open window, Maximum first, the practice summary last.
    void closeDiagrams();

    DiagramWindow* window(DiagramKind kind) const;
    PracticeSummaryWindow* summaryWindow() const;

private:
    QPointer<DiagramWindow>& slot(DiagramKind kind);

    const TrainingDocument& m_doc;
    QPointer<DiagramWindow> m_graphMaximum;
    QPointer<DiagramWindow> m_graphAverage;
    QPointer<DiagramWindow> m_graphMedian;
    QPointer<DiagramWindow> m_graphSikkhati;
    QPointer<PracticeSummaryWindow> m_summary;
};
