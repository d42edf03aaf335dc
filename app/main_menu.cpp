#include "app/main_menu.h"

#include "app/command_ids.h"

#include <array>
#include <map>

namespace {

using namespace CommandId;

constexpr std::array kFileMenu = {
    MenuItem{kFileNew, "&New\tStrg+N"},
    MenuItem{kFileOpen, "&Open...\tStrg+O"},
    MenuItem{kFileSave, "&Save\tStrg+S"},
    MenuItem{kFileSaveAs, "Save &as..."},
    MenuItem{0, nullptr},
    MenuItem{kFileExportCsv, "Export as &CSV..."},
    MenuItem{kFileExportJson, "Export as &JSON..."},
    MenuItem{kFileImport, "&Import intervals..."},
    MenuItem{0, nullptr},
    MenuItem{kFilePrintPreview, "&Print...\tStrg+P"},
    MenuItem{kFilePrintSetup, "P&rinter set up..."},
    MenuItem{0, nullptr},
    MenuItem{kFileMru1, "Last File"},
    MenuItem{0, nullptr},
    MenuItem{kAppExit, "&Exit"},
};
constexpr std::array kEditMenu = {
    MenuItem{kEditUndo, "&Undo\tStrg+Z"},
    MenuItem{kEditRedo, "&Redo\tStrg+Y"},
    MenuItem{0, nullptr},
    MenuItem{kManualEntry, "Add &interval...\tStrg+Alt+D"},
    MenuItem{kPhoneRecords, "Add &phone records..."},
};
constexpr std::array kOptionsMenu = {
    MenuItem{kIntervalFilter, "Interval filter"},
    MenuItem{kTimeSound, "Time sound every 5 min", true},
    MenuItem{kRestoreDefaults, "Restore default settings"},
};
constexpr std::array kViewMenu = {
    MenuItem{kViewToolbar, "&Toolbar", true},
    MenuItem{kPracticeSummary, "Practice summary..."},
};
constexpr std::array kHelpMenu = {
    MenuItem{kHelpPage, "&Help\tF1"},
    MenuItem{kAppAbout, "Internet && Inf&o about Jhavari-Training..."},
};
constexpr std::array kMenus = {
    Menu{"&File", kFileMenu}, Menu{"&Edit", kEditMenu}, Menu{"&Options", kOptionsMenu},
    Menu{"&View", kViewMenu}, Menu{"&?", kHelpMenu},
};

const std::array kAccelerators = {
    Accelerator{Qt::CTRL | Qt::Key_N, kFileNew},
    Accelerator{Qt::CTRL | Qt::Key_O, kFileOpen},
    Accelerator{Qt::CTRL | Qt::Key_S, kFileSave},
    Accelerator{Qt::CTRL | Qt::Key_P, kFilePrintPreview},
    Accelerator{Qt::CTRL | Qt::ALT | Qt::Key_D, kManualEntry},
    Accelerator{QKeyCombination(Qt::Key_F10), kMeasuringMode},
    Accelerator{Qt::CTRL | Qt::Key_C, kEditCopy},
    Accelerator{Qt::CTRL | Qt::Key_Insert, kEditCopy},
    Accelerator{Qt::CTRL | Qt::Key_V, kEditPaste},
    Accelerator{Qt::SHIFT | Qt::Key_Insert, kEditPaste},
    Accelerator{Qt::CTRL | Qt::Key_X, kEditCut},
    Accelerator{Qt::SHIFT | Qt::Key_Delete, kEditCut},
    Accelerator{Qt::CTRL | Qt::Key_Z, kEditUndo},
    Accelerator{Qt::ALT | Qt::Key_Backspace, kEditUndo},
    Accelerator{Qt::CTRL | Qt::Key_Y, kEditRedo},
    Accelerator{Qt::CTRL | Qt::SHIFT | Qt::Key_Z, kEditRedo},
    Accelerator{QKeyCombination(Qt::Key_F6), kNextPane},
    Accelerator{Qt::SHIFT | Qt::Key_F6, kPrevPane},
    Accelerator{QKeyCombination(Qt::Key_F1), kHelpPage},
};

constexpr std::array kToolBar = {kFileNew, kFileOpen, kFileSave, 0, kFilePrintPreview};

// Status bar prompt, then after "\n" the tool tip.
const std::map<int, const char*>& prompts()
{
    static const std::map<int, const char*> prompts = {
        {kFileNew, "Creates a new document.\nNew"},
        {kFileOpen, "Opens an existing document.\nOpen"},
        {kFileSave, "Saves the active document.\nSave"},
        {kFileSaveAs, "Saves the active document with a new file name\nClose.\nSave as..."},
        {kFileExportCsv, "Exports the meditation intervals of the active document as CSV.\nExport CSV"},
        {kFileExportJson, "Exports the active document with all its settings as JSON.\nExport JSON"},
        {kFilePrintSetup, "Changes the printer and printing options.\nPrinter setup"},
        {kFilePrintPreview, "Prints the active document.\nPrint"},
        {kAppAbout, "Here you will find, among other things our Internet address.\nInternet"},
        {kAppExit, "Leaves the application;  asks if you want to save documents.\nClose"},
        {kRestoreDefaults, "All sounds, settings etc. are reset to the default settings."},
        {kIntervalFilter, "Filters out measurements below a certain time."},
        {kTimeSound, "Every 5 minutes a beep is given."},
        {kViewToolbar, "Shows or hides the toolbar.\nToolbar on / off"},
        {kEditUndo, "Takes back the last change of the records or settings.\nUndo"},
        {kEditRedo, "Makes the change taken back last again.\nRedo"},
        {kPracticeSummary, "Shows the practice of the training type per day and per week.\nPractice summary"},
        {kManualEntry, "Types in meditation intervals of a chosen day.\nAdd interval"},
        {kPhoneRecords, "Enters intervals noted on a phone as a new measurement.\nAdd phone records"},
        {kFileImport, "Adds the intervals of another document or of an export that this one lacks.\nImport"},
        {kHelpPage, "Explains the measuring, the terms and where the data is kept.\nHelp"},
    };
    return prompts;
}

constexpr int kFirstRecentFileId = 57616;
constexpr int kLastRecentFileId = 57631;

} // namespace

std::span<const Menu> mainMenu()
{
    return kMenus;
}

std::span<const Accelerator> accelerators()
{
    return kAccelerators;
}

std::span<const int> toolBarButtons()
{
    return kToolBar;
}

QString commandPrompt(int commandId)
{
    if (commandId >= kFirstRecentFileId && commandId <= kLastRecentFileId)
        return QStringLiteral("Open this document.");
    const auto found = prompts().find(commandId);
    return found == prompts().end() ? QString() : QString::fromUtf8(found->second).section('\n', 0, 0);
}

QString commandToolTip(int commandId)
{
    const auto found = prompts().find(commandId);
    return found == prompts().end() ? QString() : QString::fromUtf8(found->second).section('\n', 1, 1);
}
