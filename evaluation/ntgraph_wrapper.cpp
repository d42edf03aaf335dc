#include "ntgraph_wrapper.h"

#include "component_registry.h"
#include "ntgraph_class.h"
#include "ntgraph_control.h"

#include <QFile>
#include <QLabel>
#include <QVBoxLayout>

#include <dlfcn.h>

namespace {

// The component stays loaded for the rest of the run, like a control's
// library once its first instance was made.
CreateNTGraphControlFunction LoadFactory()
{
    static CreateNTGraphControlFunction factory = nullptr;
    if (factory)
        return factory;
    const QString path = RegisteredComponentPath(kChartControlClassId);
    if (path.isEmpty())
        return nullptr;
    void* library = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return nullptr;
    factory = reinterpret_cast<CreateNTGraphControlFunction>(::dlsym(library, kCreateNTGraphControlName));
    return factory;
}

} // namespace

CNTGraph::CNTGraph(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (const CreateNTGraphControlFunction create = LoadFactory())
        m_pControl = create(this);
    if (m_pControl) {
        layout->addWidget(m_pControl->GetWidget());
    } else {
        auto* missing = new QLabel(QStringLiteral("The chart component NTGraph.ocx could not be loaded."), this);
        missing->setAlignment(Qt::AlignCenter);
        layout->addWidget(missing);
    }
}
