#pragma once

#include "evaluation/diagram_kind.h"
#include "evaluation/diagram_statistics.h"

#include <QObject>
#include <QPointer>

class DiagramWindow;
class DocumentNotifier;
class DocumentSettings;
class PracticeSummaryWindow;
class TrainingDocument;
class QWidget;

// The open diagram windows, at most one per kind, and the practice summary.
// They follow the document: another training type, a new or loaded
// document, a save and deleted or restored records refill the diagrams at
// once; appended records and another filter time show when a window is next
// shown, raised, exposed or painted; the summary follows every change of the
// records. The windows share one set of statistics, which appended records
// update rather than renew.
class DiagramWindows : public QObject {
    Q_OBJECT
public:
    DiagramWindows(const TrainingDocument& doc, DocumentNotifier& notifier);
    ~DiagramWindows() override;

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
    // Records were removed or put back, or the document replaced: the
    // statistics are made anew, the diagrams refilled.
    void renewDiagrams();
    // Refills the diagrams only, from the statistics as they are.
    void refillDiagrams();
    // The diagrams refill when they are next shown, raised, exposed or painted.
    void markDiagramsStale();
    void refreshSummary();
    void refreshSummaryLater();
    void onSettingsChanged(const DocumentSettings& previous);

    const TrainingDocument& m_doc;
    DiagramStatistics m_statistics;
    QPointer<DiagramWindow> m_graphMaximum;
    QPointer<DiagramWindow> m_graphAverage;
    QPointer<DiagramWindow> m_graphMedian;
    QPointer<DiagramWindow> m_graphSikkhati;
    QPointer<PracticeSummaryWindow> m_summary;
    bool m_summaryRefreshPending = false;
};
