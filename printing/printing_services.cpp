#include "printing/printing_services.h"

#include "platform/message_box.h"
#include "records/program_path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>

namespace {

struct LoadedModule {
    PrintingServices* services = nullptr;
    QString failure;
};

// Next to the program in its build folder, in its library folder once installed.
QStringList moduleFolders()
{
    QStringList folders{QCoreApplication::applicationDirPath()};
    if (!installedComponentDirectory().empty())
        folders += QString::fromStdString(installedComponentDirectory());
    return folders;
}

LoadedModule load()
{
    const QString fileName = QString::fromLatin1(kPrintingModuleFileName);
    for (const QString& folder : moduleFolders()) {
        const QString path = QDir(folder).filePath(fileName);
        if (!QFileInfo(path).isFile())
            continue;
        // Stays loaded for the rest of the run: its printers and windows live on.
        void* library = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return {nullptr, QString::fromLocal8Bit(::dlerror())};
        const auto entry = reinterpret_cast<PrintingServicesEntry>(::dlsym(library, kPrintingServicesEntryName));
        if (!entry)
            return {nullptr, path + QStringLiteral(" has no entry ") + QLatin1String(kPrintingServicesEntryName)};
        return {entry(), {}};
    }
    return {nullptr, fileName + QStringLiteral(" was found neither next to the program nor in its library folder.")};
}

const LoadedModule& loadedModule()
{
    static const LoadedModule module = load();
    return module;
}

} // namespace

PrintingServices* printingServices()
{
    return loadedModule().services;
}

PrintingServices* printingServicesOrSayWhy(QWidget* parent)
{
    const LoadedModule& module = loadedModule();
    if (!module.services)
        messageBoxes().showMessage(parent, QStringLiteral("Printing is not available: the printing module could not "
                                                          "be loaded.\n") +
                                               module.failure);
    return module.services;
}
