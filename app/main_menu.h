#pragma once

#include <QKeySequence>
#include <QString>

#include <span>

// The main menu, the accelerators, the tool bar and the command prompts as
// tables, so that the frame is built from them and tests can read them.

struct MenuItem {
    int commandId;    // 0 for a separator
    const char* text; // "&" marks the mnemonic, "\t" the shortcut text
    bool checkable = false;
};

struct Menu {
    const char* title;
    std::span<const MenuItem> aItems;
};

struct Accelerator {
    QKeyCombination keys;
    int commandId;
};

std::span<const Menu> mainMenu();
std::span<const Accelerator> accelerators();
// Command ids of the tool bar buttons; 0 for a separator.
std::span<const int> toolBarButtons();

// The status bar text shown while the command is highlighted, or empty.
QString commandPrompt(int commandId);
// The tool tip of the command's tool bar button, or empty.
QString commandToolTip(int commandId);
