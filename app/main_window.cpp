#include "app/main_window.h"

#include "app/command_ids.h"
#include "app/main_menu.h"
#include "app/recent_file_list.h"
#include "app/tool_bar_button_accessible.h"
#include "controls/form_pictures.h"
#include "platform/message_box.h"
#include "practice/form_accessibility.h"
#include "practice/measuring_mode.h"
#include "practice/measuring_state.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QProxyStyle>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>

#include <utility>

// The bitmaps are compiled into the static app library; nothing would pull
// them into the program without this (it must stand outside any namespace).
static void initAppResources()
{
    Q_INIT_RESOURCE(app);
}

namespace {

// Lets a separator in the menu bar push the menus after it to the right
// edge, where the "&?" menu belongs.
class RightAlignedHelpMenuStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == QStyle::SH_DrawMenuBarSeparator)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

constexpr int kToolBarButtonWidth = 16;
constexpr int kToolBarButtonHeight = 15;

QIcon toolBarIcon(int position)
{
    initAppResources();
    static const QPixmap strip = pngPicture(QStringLiteral(":/bitmaps/128.png"));
    return QIcon(strip.copy(position * kToolBarButtonWidth, 0, kToolBarButtonWidth, kToolBarButtonHeight));
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(kAppTitle);
    // No pop-up of the frame's own for showing and hiding the tool bar: the
    // View menu does that.
    setContextMenuPolicy(Qt::NoContextMenu);
    createMenus();
    createAccelerators();
    createToolBar();
    createStatusBar();
    showRecentFiles({});
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) { onActivateApp(state == Qt::ApplicationActive); });
}

QAction* MainWindow::commandAction(int commandId) const
{
    const auto found = m_actions.find(commandId);
    return found == m_actions.end() ? nullptr : found->second;
}

QAction* MainWindow::createCommandAction(int commandId, const QString& text, bool checkable)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QString::number(commandId));
    action->setCheckable(checkable);
    action->setStatusTip(commandPrompt(commandId));
    // Accelerators belong to the whole window, as in a frame's accelerator table.
    addAction(action);
    m_actions[commandId] = action;
    return action;
}

void MainWindow::createMenus()
{
    auto* style = new RightAlignedHelpMenuStyle;
    style->setParent(this);
    menuBar()->setStyle(style);
    const auto menus = mainMenu();
    for (std::size_t m = 0; m < menus.size(); ++m) {
        // The last menu, "&?", stands at the right edge.
        if (m + 1 == menus.size())
            menuBar()->addSeparator();
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(menus[m].title));
        for (const MenuItem& item : menus[m].aItems) {
            if (item.commandId == 0) {
                menu->addSeparator();
                continue;
            }
            menu->addAction(createCommandAction(item.commandId, QString::fromUtf8(item.text), item.checkable));
            if (item.commandId == CommandId::kFileMru1) {
                for (int i = 1; i < kRecentFileCount; ++i)
                    menu->addAction(createCommandAction(CommandId::kFileMru1 + i, QString(), false));
            }
        }
    }
}

void MainWindow::createAccelerators()
{
    std::map<int, QList<QKeySequence>> shortcuts;
    for (const Accelerator& accelerator : accelerators())
        shortcuts[accelerator.commandId].append(QKeySequence(accelerator.keys));
    for (const auto& [commandId, keys] : shortcuts) {
        QAction* action = commandAction(commandId);
        if (!action)
            action = createCommandAction(commandId, QString(), false);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
    }
}

void MainWindow::createToolBar()
{
    QAccessible::installFactory(&ToolBarButtonAccessible::create);
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QString::number(CommandId::kViewToolbar));
    m_toolBar->setMovable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->setIconSize(QSize(kToolBarButtonWidth, kToolBarButtonHeight));
    int position = 0;
    for (int commandId : toolBarButtons()) {
        if (commandId == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = commandAction(commandId);
        action->setIcon(toolBarIcon(position++));
        action->setToolTip(commandToolTip(commandId));
        m_toolBar->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    m_toolBar->hide();

    QAction* toggle = commandAction(CommandId::kViewToolbar);
    toggle->setChecked(false);
    connect(toggle, &QAction::toggled, m_toolBar, &QToolBar::setVisible);
    // A floating tool bar closed by its own button clears the check mark.
    connect(m_toolBar, &QToolBar::visibilityChanged, toggle, [this, toggle](bool visible) {
        if (!isMinimized() && isVisible())
            toggle->setChecked(visible);
    });
}

void MainWindow::createStatusBar()
{
    statusBar()->setObjectName(QString::number(CommandId::kStatusBar));
    statusBar()->setSizeGripEnabled(true);
    m_statusPane = new QLabel(QString::fromLatin1(kStatusModeOff), statusBar());
    m_statusPane->setObjectName(QStringLiteral("StatusPane"));
    statusBar()->addWidget(m_statusPane, 1);
    m_journalNotice = new QLabel(statusBar());
    m_journalNotice->setObjectName(QStringLiteral("JournalNotice"));
    statusBar()->addPermanentWidget(m_journalNotice);
    m_journalNotice->hide();
}

void MainWindow::showJournalProtection(bool protecting, const QString& reason)
{
    m_journalNotice->setVisible(!protecting);
    m_journalNotice->setText(protecting ? QString() : QStringLiteral("Änderungen ungeschützt"));
    m_journalNotice->setToolTip(reason);
    m_untoldJournalTrouble = protecting ? QString() : reason;
    if (!isMeasuring())
        tellJournalTrouble();
}

QString MainWindow::journalNotice() const
{
    return m_journalNotice->isVisible() ? m_journalNotice->text() : QString();
}

void MainWindow::tellJournalTrouble()
{
    if (m_untoldJournalTrouble.isEmpty())
        return;
    const QString reason = std::exchange(m_untoldJournalTrouble, QString());
    messageBoxes().showMessage(this, reason);
}

namespace {

// Holds the form at its own size; scroll bars appear only where the frame is
// smaller than the form.
class FormScrollArea : public QScrollArea {
public:
    explicit FormScrollArea(QWidget* form)
    {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(false);
        setWidget(form);
        // No Tab stop of its own: Tab goes from control to control and scrolls the one it reaches into view.
        setFocusPolicy(Qt::NoFocus);
    }
    QSize sizeHint() const override { return widget()->sizeHint(); }
};

} // namespace

void MainWindow::setView(QWidget* view)
{
    if (!view) {
        setCentralWidget(nullptr);
        return;
    }
    view->resize(view->sizeHint());
    setCentralWidget(new FormScrollArea(view));
    // Fitted to the form; on a screen narrower than 1000 pixels the frame
    // never grows beyond the screen, and the form scrolls.
    const QSize fitted = sizeHint();
    const QScreen* display = screen();
    if (display && display->geometry().width() < 1000)
        resize(fitted.boundedTo(display->availableGeometry().size()));
    else
        resize(fitted);
}

QWidget* MainWindow::view() const
{
    const auto* area = qobject_cast<QScrollArea*>(centralWidget());
    return area ? area->widget() : nullptr;
}

void MainWindow::setDocumentTitle(const QString& title)
{
    setWindowTitle(title + QStringLiteral(" - ") + kAppTitle);
}

void MainWindow::showRecentFiles(const QStringList& paths)
{
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* entry = commandAction(CommandId::kFileMru1 + i);
        if (i < paths.size()) {
            entry->setText(recentFileMenuText(i, paths[i]));
            entry->setEnabled(true);
            entry->setVisible(true);
        } else if (i == 0) {
            entry->setText(QStringLiteral("Last File"));
            entry->setEnabled(false);
            entry->setVisible(true);
        } else {
            entry->setVisible(false);
        }
    }
}

QString MainWindow::statusText() const
{
    return m_statusPane->text();
}

void MainWindow::setStatusText(const QString& text)
{
    if (m_statusPane->text() != text)
        m_statusPane->setText(text);
    if (!isMeasuring() && text != QLatin1String(kStatusModeOff))
        QMetaObject::invokeMethod(this, &MainWindow::showIdleText, Qt::QueuedConnection);
}

void MainWindow::showIdleText()
{
    // The mode may have begun in the meantime; its text then stays.
    if (!isMeasuring())
        setStatusText(QString::fromLatin1(kStatusModeOff));
}

void MainWindow::followMeasuring(const MeasuringState* measuring)
{
    if (m_measuring)
        disconnect(m_measuring, nullptr, this, nullptr);
    m_measuring = measuring;
    if (!measuring)
        return;
    connect(measuring, &MeasuringState::activeChanged, this, [this](bool active) {
        m_statusPane->setToolTip(active ? measuringControlsHelp() : QString());
        if (!active) {
            showIdleText();
            tellJournalTrouble();
        }
        updateUndoActions();
    });
    // The view and its state may go before the window.
    connect(measuring, &QObject::destroyed, this, [this] { m_measuring = nullptr; });
}

void MainWindow::followUndoStack(QUndoStack* stack)
{
    m_undoStack = stack;
    connect(stack, &QUndoStack::indexChanged, this, &MainWindow::updateUndoActions);
    connect(commandAction(CommandId::kEditUndo), &QAction::triggered, stack, [this] {
        if (!isMeasuring())
            m_undoStack->undo();
    });
    connect(commandAction(CommandId::kEditRedo), &QAction::triggered, stack, [this] {
        if (!isMeasuring())
            m_undoStack->redo();
    });
    updateUndoActions();
}

void MainWindow::updateUndoActions()
{
    if (!m_undoStack)
        return;
    // "&Undo delete 3 intervals\tStrg+Z"
    const auto show = [this](int commandId, const char* verb, const QString& step, const char* keys, bool possible) {
        QAction* action = commandAction(commandId);
        const QString named = step.isEmpty() ? QString::fromLatin1(verb) : QString::fromLatin1(verb) + ' ' + step;
        action->setText(named + '\t' + QString::fromLatin1(keys));
        action->setEnabled(possible && !isMeasuring());
    };
    show(CommandId::kEditUndo, "&Undo", m_undoStack->undoText(), "Strg+Z", m_undoStack->canUndo());
    show(CommandId::kEditRedo, "&Redo", m_undoStack->redoText(), "Strg+Y", m_undoStack->canRedo());
}

bool MainWindow::isMeasuring() const
{
    return m_measuring && m_measuring->isActive();
}

void MainWindow::restoreAndActivate()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void MainWindow::onActivateApp(bool active)
{
    if (!isMeasuring())
        return;
    QMetaObject::invokeMethod(
        this,
        [this, active] {
            if (isMeasuring())
                emit measuringActivationChanged(active);
        },
        Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_canClose && !m_canClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    // Closing the main window ends the program: every other window it opened
    // (diagrams, practice summary, print preview) closes with it, and none of
    // them may keep the process alive without a main window.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible())
            window->close();
    QCoreApplication::quit();
}

bool MainWindow::isAcceleratorKey(const QKeyEvent& event) const
{
    const QKeyCombination pressed = event.keyCombination();
    for (const Accelerator& accelerator : accelerators()) {
        if (accelerator.keys == pressed)
            return true;
    }
    return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Accelerators come before the control that has the focus: a field of the
    // view must not take Ctrl+C or Ctrl+Z for itself, the frame's command does
    // (and where it has no handler, nothing happens).
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this && isAcceleratorKey(*static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
