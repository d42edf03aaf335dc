#include "versenkwerk_app.h"

#include "about_dlg.h"
#include "chart_registration.h"
#include "command_ids.h"
#include "command_line.h"
#include "document.h"
#include "document_framework.h"
#include "main_frame.h"
#include "measuring_mode_flag.h"
#include "profile.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QLibraryInfo>
#include <QPageSetupDialog>
#include <QPrinter>

namespace {

CVersenkwerkApp* g_pApp = nullptr;

constexpr const char* kPreviewPagesEntry = "Settings/PreviewPages";
constexpr int kExitFailure = 1;

} // namespace

void Beep()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::beep();
}

CVersenkwerkApp::CVersenkwerkApp(ViewFactory makeView) : m_makeView(std::move(makeView))
{
    g_pApp = this;
}

CVersenkwerkApp::~CVersenkwerkApp()
{
    // The frame and its view go before the document they show.
    m_pMainFrame.reset();
    m_pFramework.reset();
    m_pDocument.reset();
    g_pApp = nullptr;
}

CVersenkwerkApp* CVersenkwerkApp::Instance()
{
    return g_pApp;
}

bool CVersenkwerkApp::InitInstance(const QStringList& arguments)
{
    LoadGermanTranslation();

    if (!m_singleInstance.Acquire()) {
        m_singleInstance.ActivateRunningInstance();
        Beep();
        m_nExitCode = 0;
        return false;
    }

    LoadStdProfileSettings();

    const CCommandLineInfo commandLine = ParseCommandLine(arguments);
    if (commandLine.m_bRegister) {
        const bool registered = RegisterChartControl();
        if (registered)
            Beep();
        m_nExitCode = registered ? 0 : kExitFailure;
        return false;
    }

    if (!CreateMainWindow(commandLine.m_strFileName)) {
        m_nExitCode = kExitFailure;
        return false;
    }
    return true;
}

void CVersenkwerkApp::LoadGermanTranslation()
{
    if (m_translator.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_translator);
}

void CVersenkwerkApp::LoadStdProfileSettings()
{
    const auto profile = OpenProfile();
    m_recentFiles.ReadList(*profile);
    m_nNumPreviewPages = profile->value(kPreviewPagesEntry, 0).toInt();
}

void CVersenkwerkApp::WriteRecentFiles()
{
    const auto profile = OpenProfile();
    m_recentFiles.WriteList(*profile);
}

void CVersenkwerkApp::ExitInstance()
{
    if (!m_pMainFrame)
        return;
    const auto profile = OpenProfile();
    m_recentFiles.WriteList(*profile);
    if (m_nNumPreviewPages != 0)
        profile->setValue(kPreviewPagesEntry, m_nNumPreviewPages);
}

bool CVersenkwerkApp::CreateMainWindow(const QString& fileName)
{
    m_pDocument = std::make_unique<CVersenkwerkDoc>();
    m_pFramework = std::make_unique<CDocumentFramework>(*m_pDocument, m_recentFiles);
    m_pMainFrame = std::make_unique<CMainFrame>();
    m_pFramework->SetDialogParent(m_pMainFrame.get());
    m_pMainFrame->SetCloseQuery([this] { return m_pFramework->SaveModified(); });
    m_pMainFrame->ShowRecentFiles(m_recentFiles.GetPaths());
    ConnectCommands();

    m_pDocument->SetTitle(CVersenkwerkDoc::kUntitled);
    m_pDocument->OnNewDocument();
    m_pMainFrame->SetDocumentTitle(m_pFramework->GetTitle());
    if (m_makeView)
        m_pMainFrame->SetView(m_makeView(*m_pDocument, *m_pMainFrame));

    // The document named on the command line is opened after the view's first
    // set-up, like any other file, so it keeps the settings stored in it.
    if (!fileName.isEmpty() && m_pFramework->OpenDocumentFile(fileName) != CDocumentFramework::OpenResult::Opened)
        return false;

    m_pMainFrame->show();
    m_pMainFrame->repaint();
    connect(&m_singleInstance, &CSingleInstance::ActivationRequested, m_pMainFrame.get(),
            &CMainFrame::RestoreAndActivate);
    m_singleInstance.Listen();
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &CVersenkwerkApp::OnIdle);
    // The document used last comes back once the event loop runs.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (QAction* recent = m_pMainFrame->GetCommandAction(CommandId::kFileMru1); recent->isEnabled())
                recent->trigger();
        },
        Qt::QueuedConnection);
    return true;
}

void CVersenkwerkApp::ConnectCommands()
{
    CMainFrame& frame = *m_pMainFrame;
    CDocumentFramework& framework = *m_pFramework;
    const auto onCommand = [&frame](int commandId, auto&& handler) {
        connect(frame.GetCommandAction(commandId), &QAction::triggered, &frame, handler);
    };
    onCommand(CommandId::kFileNew, [&framework] { framework.OnFileNew(); });
    onCommand(CommandId::kFileOpen, [&framework] { framework.OnFileOpen(); });
    onCommand(CommandId::kFileSave, [&framework] { framework.OnFileSave(); });
    onCommand(CommandId::kFileSaveAs, [&framework] { framework.OnFileSaveAs(); });
    onCommand(CommandId::kFilePrintSetup, [this] { OnFilePrintSetup(); });
    onCommand(CommandId::kAppAbout, [this] { OnAppAbout(); });
    onCommand(CommandId::kAppExit, [&frame] { frame.close(); });
    for (int i = 0; i < CMainFrame::kRecentFileCount; ++i)
        onCommand(CommandId::kFileMru1 + i, [&framework, i] { framework.OnOpenRecentFile(i); });

    connect(&framework, &CDocumentFramework::TitleChanged, &frame, &CMainFrame::SetDocumentTitle);
    connect(&framework, &CDocumentFramework::RecentFilesChanged, &frame, [this, &frame](const QStringList& paths) {
        frame.ShowRecentFiles(paths);
        // Kept at once, so that the list survives a crash or a killed session.
        WriteRecentFiles();
    });
}

void CVersenkwerkApp::OnIdle()
{
    if (m_pMainFrame && !g_bMeasuringMode)
        m_pMainFrame->SetStatusText(CMainFrame::kIdleText);
}

void CVersenkwerkApp::OnAppAbout()
{
    CAboutDlg dialog(m_pMainFrame.get());
    dialog.exec();
}

void CVersenkwerkApp::OnFilePrintSetup()
{
    QPageSetupDialog dialog(&GetPrinter(), m_pMainFrame.get());
    dialog.exec();
}

QPrinter& CVersenkwerkApp::GetPrinter()
{
    if (!m_pPrinter)
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_pPrinter;
}

void CVersenkwerkApp::SetPrinterOrientation(bool bLandscape)
{
    GetPrinter().setPageOrientation(bLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}
