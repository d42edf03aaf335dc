#pragma once

#include "app/recent_file_list.h"
#include "app/single_instance.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTranslator>

#include <functional>
#include <memory>

class DocumentEditor;
class DocumentFramework;
class HelpWindow;
class MainWindow;
class TrainingDocument;
class UnsavedChangesJournal;
class QPagedPaintDevice;
class QWidget;

// The application object: single instance, registration mode, profile,
// document, main frame and the commands the application handles.
class Application : public QObject {
    Q_OBJECT
public:
    // Makes the main view for the new document inside the frame and runs its
    // first set-up; the frame takes the widget as its central widget.
    using ViewFactory = std::function<QWidget*(DocumentEditor& editor, MainWindow& frame)>;

    explicit Application(ViewFactory makeView = {});
    ~Application() override;

    // The one application object, or nullptr.
    static Application* instance();

    // Start-up, given QCoreApplication::arguments(). True: run the event
    // loop. False: end the process with exitCode().
    bool startUp(const QStringList& arguments);
    // Writes the recent-file list and the print preview setting back.
    void shutDown();
    int exitCode() const { return m_exitCode; }

    TrainingDocument* document() const { return m_document.get(); }
    DocumentEditor* editor() const { return m_editor.get(); }
    MainWindow* mainWindow() const { return m_mainWindow.get(); }
    DocumentFramework* documentFramework() const { return m_framework.get(); }
    SingleInstance& singleInstance() { return m_singleInstance; }
    const RecentFileList& recentFiles() const { return m_recentFiles; }

    // The application's printer settings, taken from the default printer
    // the first time they are needed; null, and the user told why, when
    // printing is not available.
    QPagedPaintDevice* printer();
    void setPrinterOrientation(bool landscape);
    // The print preview's number of pages, kept in the profile.
    int numPreviewPages() const { return m_previewPages; }
    void setNumPreviewPages(int pages) { m_previewPages = pages; }

    void onAppAbout();
    // Opens the help page, or brings the open one forward.
    void onHelp();
    void onFilePrintSetup();

signals:
    // The document is about to be closed or replaced: whatever is still being
    // recorded into it must be ended now, before the question whether to save.
    void documentLeaving();

private:
    void loadGermanTranslation();
    void loadStdProfileSettings();
    void writeRecentFiles();
    bool createMainWindow(const QString& fileName);
    void connectCommands();

    ViewFactory m_makeView;
    SingleInstance m_singleInstance;
    RecentFileList m_recentFiles;
    QTranslator m_translator;
    std::unique_ptr<TrainingDocument> m_document;
    std::unique_ptr<DocumentEditor> m_editor;
    std::unique_ptr<UnsavedChangesJournal> m_journal;
    std::unique_ptr<DocumentFramework> m_framework;
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<QPagedPaintDevice> m_printer;
    QPointer<HelpWindow> m_help;
    int m_previewPages = 0;
    int m_exitCode = 0;
};

// The default beep, where there is a window system.
void beep();
