#include "app/chart_registration.h"

#include "chart_component/ntgraph_class.h"
#include "platform/component_registry.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "records/program_path.h"

#include <QDir>
#include <QFileInfo>

#include <dlfcn.h>

namespace {

using RegisterServerFunction = int (*)();

QString findOnSearchPath(const QStringList& searchPath, const QString& fileName)
{
    for (const QString& folder : searchPath) {
        if (folder.isEmpty())
            continue;
        const QFileInfo candidate(QDir(folder), fileName);
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return {};
}

} // namespace

QStringList chartControlSearchPath()
{
    QStringList folders{QString::fromStdString(programDirectory()), QDir::currentPath()};
    // An installed program keeps the component in its library folder, the system folder of this search.
    if (!installedComponentDirectory().empty())
        folders += QString::fromStdString(installedComponentDirectory());
    folders += qEnvironmentVariable("PATH").split(':', Qt::SkipEmptyParts);
    return folders;
}

bool registerChartControl(const QStringList& searchPath)
{
    const QString path = findOnSearchPath(searchPath, kChartControlFileName);
    if (path.isEmpty()) {
        messageBoxes().showMessage(nullptr, QStringLiteral("SearchPath(() failed"));
        return false;
    }
    void* library = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        messageBoxes().showMessage(nullptr, QStringLiteral("NTGraph.ocx can not be loaded..\nReason could be path is "
                                                           "incorrect\nor. Component is corrupt:") +
                                                path);
        return false;
    }
    const auto registerServer = reinterpret_cast<RegisterServerFunction>(::dlsym(library, "DllRegisterServer"));
    if (!registerServer) {
        messageBoxes().showMessage(
            nullptr, QStringLiteral("NTGraph.ocx Entrypoint for function DLLRegisterServer could not be found.."));
        return false;
    }
    if (registerServer() < 0) {
        messageBoxes().showMessage(nullptr, QStringLiteral("NTGraph.ocx Registration Failed.."));
        return false;
    }
    const auto profile = openProfile();
    profile->setValue(QStringLiteral("Register/NTGraph"), 1);
    return true;
}

bool isChartControlRegistered()
{
    return isComponentRegistered(kChartControlClassId);
}
