#include "app/application.h"

#include "app/about_dialog.h"
#include "app/chart_registration.h"
#include "app/command_ids.h"
#include "app/command_line.h"
#include "app/document_framework.h"
#include "app/export_commands.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/unsaved_changes_journal.h"
#include "editing/document_editor.h"
#include "platform/profile.h"
#include "printing/printing_services.h"
#include "records/training_document.h"

#include <QAction>
#include <QApplication>
#include <QLibraryInfo>
#include <QPagedPaintDevice>

namespace {

Application*& currentApplication()
{
    static Application* current = nullptr;
    return current;
}

constexpr const char* kPreviewPagesEntry = "Settings/PreviewPages";
constexpr int kExitFailure = 1;

} // namespace

void beep()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::beep();
}

Application::Application(ViewFactory makeView) : m_makeView(std::move(makeView))
{
    currentApplication() = this;
}

Application::~Application()
{
    // The frame and its view go before the document they show.
    m_mainWindow.reset();
    m_framework.reset();
    m_journal.reset();
    m_editor.reset();
    m_document.reset();
    currentApplication() = nullptr;
}

Application* Application::instance()
{
    return currentApplication();
}

bool Application::startUp(const QStringList& arguments)
{
    loadGermanTranslation();

    if (!m_singleInstance.acquire()) {
        m_singleInstance.activateRunningInstance();
        beep();
        m_exitCode = 0;
        return false;
    }

    loadStdProfileSettings();

    const CommandLineInfo commandLine = parseCommandLine(arguments);
    if (commandLine.m_register) {
        const bool registered = registerChartControl();
        if (registered)
            beep();
        m_exitCode = registered ? 0 : kExitFailure;
        return false;
    }

    if (!createMainWindow(commandLine.m_fileName)) {
        m_exitCode = kExitFailure;
        return false;
    }
    return true;
}

void Application::loadGermanTranslation()
{
    if (m_translator.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_translator);
}

void Application::loadStdProfileSettings()
{
    const auto profile = openProfile();
    m_recentFiles.readList(*profile);
    m_previewPages = profile->value(kPreviewPagesEntry, 0).toInt();
}

void Application::writeRecentFiles()
{
    const auto profile = openProfile();
    m_recentFiles.writeList(*profile);
}

void Application::shutDown()
{
    if (!m_mainWindow)
        return;
    const auto profile = openProfile();
    m_recentFiles.writeList(*profile);
    if (m_previewPages != 0)
        profile->setValue(kPreviewPagesEntry, m_previewPages);
}

bool Application::createMainWindow(const QString& fileName)
{
    m_document = std::make_unique<TrainingDocument>();
    m_editor = std::make_unique<DocumentEditor>(*m_document);
    m_journal = std::make_unique<UnsavedChangesJournal>(*m_document);
    m_framework = std::make_unique<DocumentFramework>(*m_document, m_recentFiles);
    m_framework->setJournal(m_journal.get());
    m_mainWindow = std::make_unique<MainWindow>();
    m_framework->setDialogParent(m_mainWindow.get());
    connect(m_journal.get(), &UnsavedChangesJournal::protectionChanged, m_mainWindow.get(),
            &MainWindow::showJournalProtection);
    m_mainWindow->setCloseQuery([this] {
        emit documentLeaving();
        return m_framework->saveModified();
    });
    m_mainWindow->showRecentFiles(m_recentFiles.paths());
    connectCommands();

    m_document->setTitle(TrainingDocument::kUntitled);
    m_document->onNewDocument();
    m_mainWindow->setDocumentTitle(m_framework->title());
    if (m_makeView)
        m_mainWindow->setView(m_makeView(*m_editor, *m_mainWindow));

    // The document named on the command line is opened after the view's first
    // set-up, like any other file, so it keeps the settings stored in it.
    if (!fileName.isEmpty() && m_framework->openDocumentFile(fileName) != DocumentFramework::OpenResult::Opened)
        return false;
    // Changes to the untitled document that a crash cut short come back on
    // top of the view's set-up.
    if (fileName.isEmpty())
        m_framework->recoverUnsavedChanges();

    m_mainWindow->show();
    m_mainWindow->repaint();
    connect(&m_singleInstance, &SingleInstance::activationRequested, m_mainWindow.get(),
            &MainWindow::restoreAndActivate);
    m_singleInstance.listen();
    // The document used last comes back once the event loop runs, unless
    // recovered changes of the untitled document are open.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_document->isModified())
                return;
            if (QAction* recent = m_mainWindow->commandAction(CommandId::kFileMru1); recent->isEnabled())
                recent->trigger();
        },
        Qt::QueuedConnection);
    return true;
}

void Application::connectCommands()
{
    MainWindow& frame = *m_mainWindow;
    DocumentFramework& framework = *m_framework;
    const auto onCommand = [&frame](int commandId, auto&& handler) {
        connect(frame.commandAction(commandId), &QAction::triggered, &frame, handler);
    };
    onCommand(CommandId::kFileNew, [this, &framework] {
        emit documentLeaving();
        framework.onFileNew();
    });
    onCommand(CommandId::kFileOpen, [this, &framework] {
        emit documentLeaving();
        framework.onFileOpen();
    });
    onCommand(CommandId::kFileSave, [&framework] { framework.onFileSave(); });
    onCommand(CommandId::kFileSaveAs, [&framework] { framework.onFileSaveAs(); });
    onCommand(CommandId::kFileExportCsv,
              [this] { exportDocumentAs(*m_document, ExportFormat::Csv, m_mainWindow.get()); });
    onCommand(CommandId::kFileExportJson,
              [this] { exportDocumentAs(*m_document, ExportFormat::Json, m_mainWindow.get()); });
    onCommand(CommandId::kFilePrintSetup, [this] { onFilePrintSetup(); });
    onCommand(CommandId::kAppAbout, [this] { onAppAbout(); });
    onCommand(CommandId::kHelpPage, [this] { onHelp(); });
    onCommand(CommandId::kAppExit, [&frame] { frame.close(); });
    for (int i = 0; i < MainWindow::kRecentFileCount; ++i)
        onCommand(CommandId::kFileMru1 + i, [this, &framework, i] {
            emit documentLeaving();
            framework.onOpenRecentFile(i);
        });

    connect(&framework, &DocumentFramework::titleChanged, &frame, &MainWindow::setDocumentTitle);
    connect(&framework, &DocumentFramework::recentFilesChanged, &frame, [this, &frame](const QStringList& paths) {
        frame.showRecentFiles(paths);
        // Kept at once, so that the list survives a crash or a killed session.
        writeRecentFiles();
    });
}

void Application::onAppAbout()
{
    AboutDialog dialog(m_mainWindow.get());
    dialog.exec();
}

void Application::onHelp()
{
    if (!m_help)
        m_help = new HelpWindow(m_mainWindow.get());
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void Application::onFilePrintSetup()
{
    if (QPagedPaintDevice* settings = printer())
        printingServices()->runPrintSetup(*settings, m_mainWindow.get());
}

QPagedPaintDevice* Application::printer()
{
    if (!m_printer)
        if (PrintingServices* printing = printingServicesOrSayWhy(m_mainWindow.get()))
            m_printer = printing->makePrinter();
    return m_printer.get();
}

void Application::setPrinterOrientation(bool landscape)
{
    if (QPagedPaintDevice* settings = printer())
        settings->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}
