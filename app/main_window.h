#pragma once

#include <QMainWindow>

#include <functional>
#include <map>

class QAction;
class QLabel;
class QMenu;
class QToolBar;

// The single top-level window: main menu, accelerators, the hidden tool bar,
// the one-pane status bar and the main view as central widget. Every command
// is a QAction found by its command id; the application and the view connect
// to the actions of the commands they handle.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kAppTitle = "Jhavari-Training";
    static constexpr const char* kIdleText = "Meditation interval measurement mode off.";
    static constexpr int kRecentFileCount = 4;

    explicit MainWindow(QWidget* parent = nullptr);

    // The action of a menu, accelerator or tool bar command, or nullptr.
    QAction* commandAction(int commandId) const;

    // Puts the main view in the middle and sizes the window after it.
    void setView(QWidget* view);
    QWidget* view() const;

    // "<title> - Jhavari-Training"
    void setDocumentTitle(const QString& title);
    // The recent-file entries of the File menu, newest first.
    void showRecentFiles(const QStringList& paths);
    // Asked before the window closes; false keeps it open.
    void setCloseQuery(std::function<bool()> canClose) { m_canClose = std::move(canClose); }

    QString statusText() const;
    QToolBar* toolBar() const { return m_toolBar; }

    // The handler of the application's activation change: while measuring it
    // posts measuringActivationChanged to itself.
    void onActivateApp(bool bActive);

public slots:
    // The text of the status bar pane; the application puts the idle text
    // back on every idle pass while not measuring.
    void setStatusText(const QString& text);
    void restoreAndActivate();

signals:
    // Emitted (queued after the activation change) only while the measuring
    // mode is on: the view confines the pointer when activated, frees it else.
    void measuringActivationChanged(bool bActivated);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* createCommandAction(int commandId, const QString& text, bool checkable);
    void createMenus();
    void createAccelerators();
    void createToolBar();
    void createStatusBar();
    bool isAcceleratorKey(const QKeyEvent& event) const;

    std::map<int, QAction*> m_actions;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_statusPane = nullptr;
    std::function<bool()> m_canClose;
};
