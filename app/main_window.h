#pragma once

#include <QMainWindow>

#include <functional>
#include <map>

class MeasuringState;
class QAction;
class QUndoStack;
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

    // The measuring mode the window follows: outside it the status bar shows
    // the idle text, inside it the mode's own texts.
    void followMeasuring(const MeasuringState* measuring);

    // Whether the unsaved changes are kept against a crash. While they are
    // not, the status bar says so; the reason is told once in a message, at
    // once or, not to disturb the practice, when the measuring mode ends.
    void showJournalProtection(bool protecting, const QString& reason);
    QString journalNotice() const;

    // The undo history that Undo and Redo of the Edit menu work on: their
    // texts name the step, and both are disabled while measuring.
    void followUndoStack(QUndoStack* stack);

    // The handler of the application's activation change: while measuring it
    // posts measuringActivationChanged to itself.
    void onActivateApp(bool active);

public slots:
    // The text of the status bar pane. Outside the measuring mode another text
    // gives way to the idle text again once the pending events are handled.
    void setStatusText(const QString& text);
    void restoreAndActivate();

signals:
    // Emitted (queued after the activation change) only while the measuring
    // mode is on: the view confines the pointer when activated, frees it else.
    void measuringActivationChanged(bool activated);

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
    bool isMeasuring() const;
    void showIdleText();
    void updateUndoActions();
    void tellJournalTrouble();

    std::map<int, QAction*> m_actions;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_statusPane = nullptr;
    QLabel* m_journalNotice = nullptr;
    QString m_untoldJournalTrouble;
    const MeasuringState* m_measuring = nullptr;
    QUndoStack* m_undoStack = nullptr;
    std::function<bool()> m_canClose;
};
