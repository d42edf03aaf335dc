#pragma once

#include "recent_file_list.h"
#include "single_instance.h"

#include <QObject>
#include <QStringList>
#include <QTranslator>

#include <functional>
#include <memory>

class CDocumentFramework;
class CMainFrame;
class CVersenkwerkDoc;
class QPrinter;
class QWidget;

// The application object: single instance, registration mode, profile,
// document, main frame and the commands the application handles.
class CVersenkwerkApp : public QObject {
    Q_OBJECT
public:
    // Makes the main view for the new document inside the frame and runs its
    // first set-up; the frame takes the widget as its central widget.
    using ViewFactory = std::function<QWidget*(CVersenkwerkDoc& doc, CMainFrame& frame)>;

    explicit CVersenkwerkApp(ViewFactory makeView = {});
    ~CVersenkwerkApp() override;

    // The one application object, or nullptr.
    static CVersenkwerkApp* Instance();

    // Start-up, given QCoreApplication::arguments(). True: run the event
    // loop. False: end the process with GetExitCode().
    bool InitInstance(const QStringList& arguments);
    // Writes the recent-file list and the print preview setting back.
    void ExitInstance();
    int GetExitCode() const { return m_nExitCode; }

    CVersenkwerkDoc* GetDocument() const { return m_pDocument.get(); }
    CMainFrame* GetMainFrame() const { return m_pMainFrame.get(); }
    CDocumentFramework* GetDocumentFramework() const { return m_pFramework.get(); }
    CSingleInstance& GetSingleInstance() { return m_singleInstance; }
    const CRecentFileList& GetRecentFiles() const { return m_recentFiles; }

    // The application's printer settings, taken from the default printer
    // the first time they are needed.
    QPrinter& GetPrinter();
    void SetPrinterOrientation(bool bLandscape);
    // The print preview's number of pages, kept in the profile.
    int GetNumPreviewPages() const { return m_nNumPreviewPages; }
    void SetNumPreviewPages(int pages) { m_nNumPreviewPages = pages; }

    // Every pass of the event loop before it waits: while not measuring the
    // status bar shows the idle text again.
    void OnIdle();
    void OnAppAbout();
    void OnFilePrintSetup();

private:
    void LoadGermanTranslation();
    void LoadStdProfileSettings();
    void WriteRecentFiles();
    bool CreateMainWindow(const QString& fileName);
    void ConnectCommands();

    ViewFactory m_makeView;
    CSingleInstance m_singleInstance;
    CRecentFileList m_recentFiles;
    QTranslator m_translator;
    std::unique_ptr<CVersenkwerkDoc> m_pDocument;
    std::unique_ptr<CDocumentFramework> m_pFramework;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<QPrinter> m_pPrinter;
    int m_nNumPreviewPages = 0;
    int m_nExitCode = 0;
};

// The default beep, where there is a window system.
void Beep();
