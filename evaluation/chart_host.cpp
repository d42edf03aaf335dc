#include "evaluation/chart_host.h"

#include "chart_component/chart_control.h"
#include "chart_component/ntgraph_class.h"
#include "platform/component_registry.h"

#include <QFile>
#include <QLabel>
#include <QVBoxLayout>

#include <dlfcn.h>

namespace {

// The component stays loaded for the rest of the run, like a control's
// library once its first instance was made.
CreateChartControlFunction loadFactory()
{
    static CreateChartControlFunction factory = nullptr;
    if (factory)
        return factory;
    const QString path = registeredComponentPath(kChartControlClassId);
    if (path.isEmpty())
        return nullptr;
    void* library = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return nullptr;
    factory = reinterpret_cast<CreateChartControlFunction>(::dlsym(library, kCreateNTGraphControlName));
    return factory;
}

} // namespace

ChartHost::ChartHost(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (const CreateChartControlFunction makeControl = loadFactory())
        m_control = makeControl(this);
    if (m_control) {
        layout->addWidget(m_control->widget());
    } else {
        auto* missing = new QLabel(QStringLiteral("The chart component NTGraph.ocx could not be loaded."), this);
        missing->setAlignment(Qt::AlignCenter);
        layout->addWidget(missing);
    }
}
