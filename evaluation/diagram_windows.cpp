#include "evaluation/diagram_windows.h"

#include "chart_component/ntgraph_class.h"
#include "editing/document_notifier.h"
#include "evaluation/diagram_places.h"
#include "evaluation/diagram_window.h"
#include "evaluation/practice_summary_window.h"
#include "platform/component_registry.h"
#include "platform/message_box.h"
#include "records/training_document.h"

#include <QGuiApplication>
#include <QScreen>

#include <utility>

DiagramWindows::DiagramWindows(const TrainingDocument& doc, DocumentNotifier& notifier) : m_doc(doc), m_statistics(doc)
{
    connect(&notifier, &DocumentNotifier::currentTypeChanged, this, &DiagramWindows::refreshDiagrams);
    connect(&notifier, &DocumentNotifier::documentReset, this, &DiagramWindows::renewDiagrams);
    // A save changes no record, only the file name that the footers carry.
    connect(&notifier, &DocumentNotifier::documentSaved, this, &DiagramWindows::refillDiagrams);
    connect(&notifier, &DocumentNotifier::recordsRemoved, this, &DiagramWindows::renewDiagrams);
    connect(&notifier, &DocumentNotifier::recordsInserted, this, &DiagramWindows::renewDiagrams);
    connect(&notifier, &DocumentNotifier::recordsAppended, this, [this](int type, int first, int count) {
        m_statistics.recordsAppended(type, first, count);
        markDiagramsStale();
        refreshSummaryLater();
    });
    connect(&notifier, &DocumentNotifier::settingsChanged, this, &DiagramWindows::onSettingsChanged);
}

DiagramWindows::~DiagramWindows()
{
    closeDiagrams();
}

QPointer<DiagramWindow>& DiagramWindows::slot(DiagramKind kind)
{
    switch (kind) {
    case DiagramKind::Maximum: return m_graphMaximum;
    case DiagramKind::Average: return m_graphAverage;
    case DiagramKind::Median: return m_graphMedian;
    case DiagramKind::Sikkhati: break;
    }
    return m_graphSikkhati;
}

DiagramWindow* DiagramWindows::window(DiagramKind kind) const
{
    return const_cast<DiagramWindows*>(this)->slot(kind).data();
}

void DiagramWindows::openDiagram(DiagramKind kind, QWidget* messageParent)
{
    if (!isComponentRegistered(kChartControlClassId)) {
        messageBoxes().showMessage(
            messageParent,
            QStringLiteral(
                "Please reinstall the program. A component of the program is not registered (NTGraph.ocx)."));
    }
    QPointer<DiagramWindow>& window = slot(kind);
    if (window) {
        window->show();
        window->raise();
        window->activateWindow();
        return;
    }
    window = new DiagramWindow(m_doc, m_statistics, kind);
    const QScreen* screen = messageParent ? messageParent->screen() : QGuiApplication::primaryScreen();
    QList<QRect> areas;
    for (const QScreen* available : QGuiApplication::screens())
        areas.append(available->availableGeometry());
    // The window manager frames the diagram as it frames the opener's window.
    const QWidget* opener = messageParent ? messageParent->window() : nullptr;
    const QSize frame = opener ? opener->frameGeometry().size() - opener->size() : QSize();
    window->move(diagramPlace(kind, window->size() + frame, areas,
                              screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768)));
    window->show();
}

void DiagramWindows::refreshDiagrams()
{
    refillDiagrams();
    refreshSummary();
}

void DiagramWindows::refillDiagrams()
{
    for (DiagramKind kind : kDiagramKinds)
        if (DiagramWindow* window = slot(kind))
            window->fillGraph();
}

void DiagramWindows::renewDiagrams()
{
    m_statistics.forget();
    refreshDiagrams();
}

void DiagramWindows::markDiagramsStale()
{
    for (DiagramKind kind : kDiagramKinds)
        if (DiagramWindow* window = slot(kind))
            window->markStale();
}

void DiagramWindows::refreshSummary()
{
    m_summaryRefreshPending = false;
    if (m_summary)
        m_summary->refresh();
}

void DiagramWindows::refreshSummaryLater()
{
    // Records typed in one after another are summed up once the burst is over.
    if (!m_summary || std::exchange(m_summaryRefreshPending, true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_summaryRefreshPending)
                refreshSummary();
        },
        Qt::QueuedConnection);
}

void DiagramWindows::onSettingsChanged(const DocumentSettings& previous)
{
    // Only the filter time reaches the diagrams; they are not refilled at once.
    if (previous.m_timeFilter != m_doc.settings().m_timeFilter)
        markDiagramsStale();
}

PracticeSummaryWindow* DiagramWindows::summaryWindow() const
{
    return m_summary.data();
}

void DiagramWindows::openSummary()
{
    if (!m_summary)
        m_summary = new PracticeSummaryWindow(m_doc);
    m_summary->show();
    m_summary->raise();
    m_summary->activateWindow();
}

void DiagramWindows::closeDiagrams()
{
    for (DiagramKind kind : kDiagramKinds) {
        if (DiagramWindow* window = slot(kind)) {
            rememberDiagramPlace(kind, window->pos());
            slot(kind) = nullptr;
            delete window;
        }
    }
    delete m_summary.data();
}
