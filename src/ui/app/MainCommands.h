#pragma once

#include <span>

class CMainFrame;
class CTalvaneDoc;
class QPrinter;
class ReportPrinting;
class UiServices;

// What the main window's commands act on.
struct CommandTarget {
    CMainFrame& frame;
    CTalvaneDoc& doc;
    UiServices& services;
    ReportPrinting& printing;
    QPrinter& printer;
};

// What the enabling of the commands depends on, read once for all of them.
struct CommandState {
    bool unsaved = false; // the collection or the pages hold changes not saved
    bool canUndo = false;
    bool canRedo = false;
    bool treeShown = false; // the pages show a tree of the collection
    bool readOnly = false;
    bool hasFile = false; // the collection was opened from or saved to a file
};

// The menus of the menu bar, made in the order their first row comes in the table.
enum class Menu { File, Edit, View, Help };

// What a row of the table puts in its menu.
enum class MenuRow {
    Command,
    Separator,
    RecentFiles, // the recent collections, and the separator that closes them
    Languages,   // the Language submenu
};

// Whether a command has a button on the tool bar; the buttons' pictures are in
// toolbar.png in the order of the table.
enum class ToolButton { None, Button, ButtonAfterGap };

// One row of the main window's menus. A key shown after a tab in the text is only
// shown: the keys bound are those of `keys`.
struct MainCommand {
    MenuRow row = MenuRow::Command;
    Menu menu = Menu::File;
    int id = 0;                       // from CommandIds.h; also the action's object name
    const char* text = nullptr;       // source text of the CMainFrame context
    const char* statusTip = nullptr;  // the same
    const char* keys = nullptr;       // portable key texts, "; " between two
    ToolButton tool = ToolButton::None;
    void (*run)(CommandTarget&) = nullptr;
    void (*toggle)(CommandTarget&, bool on) = nullptr; // instead of run: a command checked on or off
    bool (*enabled)(const CommandState&) = nullptr;    // none: always enabled
};

// Every row of the menus, menu by menu, in the order they are shown.
std::span<const MainCommand> mainCommands();

// The source text of a menu's title, in the CMainFrame context.
const char* menuTitle(Menu menu);
