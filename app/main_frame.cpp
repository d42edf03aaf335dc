#include "main_frame.h"

#include "command_ids.h"
#include "main_menu.h"
#include "measuring_mode_flag.h"
#include "recent_file_list.h"

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

// The bitmaps are compiled into the static app library; nothing would pull
// them into the program without this (it must stand outside any namespace).
static void InitAppResources()
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

QIcon ToolBarIcon(int position)
{
    InitAppResources();
    static const QPixmap strip(QStringLiteral(":/bitmaps/128.png"));
    return QIcon(strip.copy(position * kToolBarButtonWidth, 0, kToolBarButtonWidth, kToolBarButtonHeight));
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(kAppTitle);
    // No pop-up of the frame's own for showing and hiding the tool bar: the
    // View menu does that.
    setContextMenuPolicy(Qt::NoContextMenu);
    CreateMenus();
    CreateAccelerators();
    CreateToolBar();
    CreateStatusBar();
    ShowRecentFiles({});
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) { OnActivateApp(state == Qt::ApplicationActive); });
}

QAction* CMainFrame::GetCommandAction(int commandId) const
{
    const auto found = m_actions.find(commandId);
    return found == m_actions.end() ? nullptr : found->second;
}

QAction* CMainFrame::CreateCommandAction(int commandId, const QString& text, bool checkable)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QString::number(commandId));
    action->setCheckable(checkable);
    action->setStatusTip(CommandPrompt(commandId));
    // Accelerators belong to the whole window, as in a frame's accelerator table.
    addAction(action);
    m_actions[commandId] = action;
    return action;
}

void CMainFrame::CreateMenus()
{
    auto* style = new RightAlignedHelpMenuStyle;
    style->setParent(this);
    menuBar()->setStyle(style);
    const auto menus = MainMenu();
    for (std::size_t m = 0; m < menus.size(); ++m) {
        // The last menu, "&?", stands at the right edge.
        if (m + 1 == menus.size())
            menuBar()->addSeparator();
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(menus[m].szTitle));
        for (const MenuItem& item : menus[m].aItems) {
            if (item.nCommandId == 0) {
                menu->addSeparator();
                continue;
            }
            menu->addAction(CreateCommandAction(item.nCommandId, QString::fromUtf8(item.szText), item.bCheckable));
            if (item.nCommandId == CommandId::kFileMru1) {
                for (int i = 1; i < kRecentFileCount; ++i)
                    menu->addAction(CreateCommandAction(CommandId::kFileMru1 + i, QString(), false));
            }
        }
    }
}

void CMainFrame::CreateAccelerators()
{
    std::map<int, QList<QKeySequence>> shortcuts;
    for (const Accelerator& accelerator : Accelerators())
        shortcuts[accelerator.nCommandId].append(QKeySequence(accelerator.keys));
    for (const auto& [commandId, keys] : shortcuts) {
        QAction* action = GetCommandAction(commandId);
        if (!action)
            action = CreateCommandAction(commandId, QString(), false);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
    }
}

void CMainFrame::CreateToolBar()
{
    m_pToolBar = new QToolBar(this);
    m_pToolBar->setObjectName(QString::number(CommandId::kViewToolbar));
    m_pToolBar->setMovable(true);
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_pToolBar->setIconSize(QSize(kToolBarButtonWidth, kToolBarButtonHeight));
    int position = 0;
    for (int commandId : ToolBarButtons()) {
        if (commandId == 0) {
            m_pToolBar->addSeparator();
            continue;
        }
        QAction* action = GetCommandAction(commandId);
        action->setIcon(ToolBarIcon(position++));
        action->setToolTip(CommandToolTip(commandId));
        m_pToolBar->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
    m_pToolBar->hide();

    QAction* toggle = GetCommandAction(CommandId::kViewToolbar);
    toggle->setChecked(false);
    connect(toggle, &QAction::toggled, m_pToolBar, &QToolBar::setVisible);
    // A floating tool bar closed by its own button clears the check mark.
    connect(m_pToolBar, &QToolBar::visibilityChanged, toggle, [this, toggle](bool visible) {
        if (!isMinimized() && isVisible())
            toggle->setChecked(visible);
    });
}

void CMainFrame::CreateStatusBar()
{
    statusBar()->setObjectName(QString::number(CommandId::kStatusBar));
    statusBar()->setSizeGripEnabled(true);
    m_pStatusPane = new QLabel(kIdleText, statusBar());
    m_pStatusPane->setObjectName(QStringLiteral("StatusPane"));
    statusBar()->addWidget(m_pStatusPane, 1);
}

namespace {

// Holds the form at its own size; scroll bars appear only where the frame is
// smaller than the form.
class CFormScrollArea : public QScrollArea {
public:
    explicit CFormScrollArea(QWidget* form)
    {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(false);
        setWidget(form);
    }
    QSize sizeHint() const override { return widget()->sizeHint(); }
};

} // namespace

void CMainFrame::SetView(QWidget* view)
{
    if (!view) {
        setCentralWidget(nullptr);
        return;
    }
    view->resize(view->sizeHint());
    setCentralWidget(new CFormScrollArea(view));
    // Fitted to the form; on a screen narrower than 1000 pixels the frame
    // never grows beyond the screen, and the form scrolls.
    const QSize fitted = sizeHint();
    const QScreen* display = screen();
    if (display && display->geometry().width() < 1000)
        resize(fitted.boundedTo(display->availableGeometry().size()));
    else
        resize(fitted);
}

QWidget* CMainFrame::GetView() const
{
    const auto* area = qobject_cast<QScrollArea*>(centralWidget());
    return area ? area->widget() : nullptr;
}

void CMainFrame::SetDocumentTitle(const QString& title)
{
    setWindowTitle(title + QStringLiteral(" - ") + kAppTitle);
}

void CMainFrame::ShowRecentFiles(const QStringList& paths)
{
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* entry = GetCommandAction(CommandId::kFileMru1 + i);
        if (i < paths.size()) {
            entry->setText(RecentFileMenuText(i, paths[i]));
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

QString CMainFrame::GetStatusText() const
{
    return m_pStatusPane->text();
}

void CMainFrame::SetStatusText(const QString& text)
{
    if (m_pStatusPane->text() != text)
        m_pStatusPane->setText(text);
}

void CMainFrame::RestoreAndActivate()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void CMainFrame::OnActivateApp(bool bActive)
{
    if (!g_bMeasuringMode)
        return;
    QMetaObject::invokeMethod(
        this,
        [this, bActive] {
            if (g_bMeasuringMode)
                emit MeasuringActivationChanged(bActive);
        },
        Qt::QueuedConnection);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_canClose && !m_canClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    // Closing the main window ends the program, also while diagram windows,
    // which have no parent, are still open; they close with the view.
    if (event->isAccepted())
        QCoreApplication::quit();
}

bool CMainFrame::IsAcceleratorKey(const QKeyEvent& event) const
{
    const QKeyCombination pressed = event.keyCombination();
    for (const Accelerator& accelerator : Accelerators()) {
        if (accelerator.keys == pressed)
            return true;
    }
    return false;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // Accelerators come before the control that has the focus: a field of the
    // view must not take Ctrl+C or Ctrl+Z for itself, the frame's command does
    // (and where it has no handler, nothing happens).
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this && IsAcceleratorKey(*static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
