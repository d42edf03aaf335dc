#include "chart_registration.h"

#include "component_registry.h"
#include "message_box.h"
#include "ntgraph_class.h"
#include "profile.h"
#include "program_path.h"

#include <QDir>
#include <QFileInfo>

#include <dlfcn.h>

namespace {

using RegisterServerFunction = int (*)();

QString FindOnSearchPath(const QStringList& searchPath, const QString& fileName)
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

QStringList ChartControlSearchPath()
{
    QStringList folders{QString::fromStdString(GetProgramDirectory()), QDir::currentPath()};
    folders += qEnvironmentVariable("PATH").split(':', Qt::SkipEmptyParts);
    return folders;
}

bool RegisterChartControl(const QStringList& searchPath)
{
    const QString path = FindOnSearchPath(searchPath, kChartControlFileName);
    if (path.isEmpty()) {
        MessageBoxes().ShowMessage(nullptr, QStringLiteral("SearchPath(() failed"));
        return false;
    }
    void* library = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        MessageBoxes().ShowMessage(nullptr, QStringLiteral("NTGraph.ocx can not be loaded..\nReason could be path is "
                                                           "incorrect\nor. Component is corrupt:") +
                                                path);
        return false;
    }
    const auto registerServer = reinterpret_cast<RegisterServerFunction>(::dlsym(library, "DllRegisterServer"));
    if (!registerServer) {
        MessageBoxes().ShowMessage(
            nullptr, QStringLiteral("NTGraph.ocx Entrypoint for function DLLRegisterServer could not be found.."));
        return false;
    }
    if (registerServer() < 0) {
        MessageBoxes().ShowMessage(nullptr, QStringLiteral("NTGraph.ocx Registration Failed.."));
        return false;
    }
    const auto profile = OpenProfile();
    profile->setValue(QStringLiteral("Register/NTGraph"), 1);
    return true;
}

bool IsChartControlRegistered()
{
    return IsComponentRegistered(kChartControlClassId);
}
