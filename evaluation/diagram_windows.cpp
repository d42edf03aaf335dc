#include "diagram_windows.h"

#include "component_registry.h"
#include "message_box.h"
#include "non_modal_graph.h"
#include "ntgraph_class.h"

CDiagramWindows::CDiagramWindows(const CVersenkwerkDoc& doc) : m_doc(doc) {}

CDiagramWindows::~CDiagramWindows()
{
    CloseDiagrams();
}

QPointer<CNonModalGraph>& CDiagramWindows::Slot(DiagramKind kind)
{
    switch (kind) {
    case Maximum: return m_pGraphMaximum;
    case Average: return m_pGraphAverage;
    case Median: return m_pGraphMedian;
    case Sikkhati: break;
    }
    return m_pGraphSikkhati;
}

CNonModalGraph* CDiagramWindows::GetWindow(DiagramKind kind) const
{
    return const_cast<CDiagramWindows*>(this)->Slot(kind).data();
}

void CDiagramWindows::OpenDiagram(DiagramKind kind, QWidget* messageParent)
{
    if (!IsComponentRegistered(kChartControlClassId)) {
        MessageBoxes().ShowMessage(
            messageParent,
            QStringLiteral("Please reinstall the program. A component of the program is not registered (NTGraph.ocx)."));
    }
    QPointer<CNonModalGraph>& window = Slot(kind);
    if (window) {
        window->show();
        window->raise();
        window->activateWindow();
        return;
    }
    window = new CNonModalGraph(m_doc, kind);
    window->m_crLine = GetDiagramColor(kind);
    window->show();
}

void CDiagramWindows::RefreshDiagrams()
{
    for (DiagramKind kind : kDiagramKinds)
        if (CNonModalGraph* window = Slot(kind))
            window->FillGraph();
}

void CDiagramWindows::CloseDiagrams()
{
    for (DiagramKind kind : kDiagramKinds) {
        if (CNonModalGraph* window = Slot(kind)) {
            Slot(kind) = nullptr;
            delete window;
        }
    }
}
