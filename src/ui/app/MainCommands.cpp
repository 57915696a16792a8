#include "ui/app/MainCommands.h"

#include "ui/app/CommandIds.h"
#include "ui/app/MainFrame.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/editing/TalvaneView.h"
#include "ui/passport/TreePassportCommands.h"
#include "ui/printing/ReportPrinting.h"

#include <QtGlobal>

namespace {

bool whenUnsaved(const CommandState& state) { return state.unsaved; }
bool whenUndoable(const CommandState& state) { return state.canUndo; }
bool whenRedoable(const CommandState& state) { return state.canRedo; }
bool whenTreeShown(const CommandState& state) { return state.treeShown; }
bool whenWritable(const CommandState& state) { return !state.readOnly; }
bool whenInAFile(const CommandState& state) { return state.hasFile; }

constexpr MainCommand separator(Menu menu)
{
    return {.row = MenuRow::Separator, .menu = menu};
}

// The texts are translated in the frame's context, where they have always been.
constexpr MainCommand kCommands[] = {
    {.menu = Menu::File, .id = cmd::kFileNew, .text = QT_TRANSLATE_NOOP("CMainFrame", "&New\tCtrl+N"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Create a new document"), .keys = "Ctrl+N",
     .tool = ToolButton::Button, .run = [](CommandTarget& to) { to.doc.OnFileNew(); }},
    {.menu = Menu::File, .id = cmd::kFileOpen, .text = QT_TRANSLATE_NOOP("CMainFrame", "&Open...\tCtrl+O"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Open an existing document"), .keys = "Ctrl+O",
     .tool = ToolButton::Button, .run = [](CommandTarget& to) { to.doc.OnFileOpen(); }},
    {.menu = Menu::File, .id = cmd::kFileSave, .text = QT_TRANSLATE_NOOP("CMainFrame", "&Save\tCtrl+S"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Save the active document"), .keys = "Ctrl+S",
     .tool = ToolButton::Button, .run = [](CommandTarget& to) { to.doc.startFileSave(); }, .enabled = whenUnsaved},
    // Shows Ctrl+A, but no key is bound to it.
    {.menu = Menu::File, .id = cmd::kFileSaveAs, .text = QT_TRANSLATE_NOOP("CMainFrame", "Save &as ... \tCtrl+A"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Save the active document with a new name"),
     .run = [](CommandTarget& to) { to.doc.onFileSaveAs(); }},
    {.menu = Menu::File, .id = cmd::kFileRestoreVersion,
     .text = QT_TRANSLATE_NOOP("CMainFrame", "&Restore an earlier version\u2026"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Open a version the collection had before one of its saves, as a new collection"),
     .run = [](CommandTarget& to) { to.frame.onFileRestoreVersion(); }, .enabled = whenInAFile},
    {.menu = Menu::File, .id = cmd::kFileExportCareCalendar,
     .text = QT_TRANSLATE_NOOP("CMainFrame", "Export care &calendar\u2026"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Write the care tasks that are due as an iCalendar file"),
     .run = [](CommandTarget& to) { to.frame.onFileExportCareCalendar(); }},
    {.menu = Menu::File, .id = cmd::kFileShareWithPhones, .text = QT_TRANSLATE_NOOP("CMainFrame", "S&hare with phones\u2026"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Serve the collection to phones on this network until sharing is stopped"),
     .run = [](CommandTarget& to) { to.frame.onFileShareWithPhones(); }},
    {.menu = Menu::File, .id = cmd::kFileExportPassport,
     .text = QT_TRANSLATE_NOOP("CMainFrame", "&Export tree passport\u2026"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Write the tree shown, its photos and its journal into one file to hand on"),
     .run = [](CommandTarget& to) { to.frame.showPassportNotice(exportTreePassport(to.doc, to.services)); },
     .enabled = whenTreeShown},
    {.menu = Menu::File, .id = cmd::kFileImportPassport,
     .text = QT_TRANSLATE_NOOP("CMainFrame", "&Import tree passport\u2026"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Add the tree of a passport to the collection, with its photos"),
     .run = [](CommandTarget& to) { to.frame.showPassportNotice(importTreePassport(to.doc, to.services)); },
     .enabled = whenWritable},
    separator(Menu::File),
    {.menu = Menu::File, .id = cmd::kFilePrint, .text = QT_TRANSLATE_NOOP("CMainFrame", "&Print...\tCtrl+P"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Print the active document"), .keys = "Ctrl+P",
     .tool = ToolButton::ButtonAfterGap, .run = [](CommandTarget& to) { to.printing.OnFilePrintChoice(); },
     .enabled = whenTreeShown},
    {.menu = Menu::File, .id = cmd::kFilePrintCollectionList,
     .text = QT_TRANSLATE_NOOP("CMainFrame", "Print co&llection list\u2026"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Print the trees of the collection list as a table, one line per tree"),
     .run = [](CommandTarget& to) { to.frame.onFilePrintCollectionList(); }},
    {.menu = Menu::File, .id = cmd::kFilePrintLabels, .text = QT_TRANSLATE_NOOP("CMainFrame", "Print la&bels\u2026"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Print labels with a QR code for the trees of the collection list"),
     .run = [](CommandTarget& to) { to.frame.onFilePrintLabels(); }},
    {.menu = Menu::File, .id = cmd::kFilePrintPassport, .text = QT_TRANSLATE_NOOP("CMainFrame", "Print passpor&t\u2026"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Print the tree shown with its photos by date and its measurements"),
     .run = [](CommandTarget& to) { printTreePassport(to.doc, to.services, to.printer); }, .enabled = whenTreeShown},
    {.menu = Menu::File, .id = cmd::kFilePrintSetup, .text = QT_TRANSLATE_NOOP("CMainFrame", "Print set&up..."),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Change the printer and printing options"),
     .run = [](CommandTarget& to) { to.printing.OnFilePrintSetup(); }},
    separator(Menu::File),
    {.row = MenuRow::RecentFiles, .menu = Menu::File},
    {.menu = Menu::File, .id = cmd::kAppExit, .text = QT_TRANSLATE_NOOP("CMainFrame", "E&xit"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Quit the application; prompts to save documents"),
     .run = [](CommandTarget& to) { to.frame.close(); }},

    // Inside a text control the undo keys keep undoing the typing: the control takes them first.
    {.menu = Menu::Edit, .id = cmd::kEditUndo, .text = QT_TRANSLATE_NOOP("CMainFrame", "&Undo"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Undo the last change to the collection"), .keys = "Ctrl+Z",
     .run = [](CommandTarget& to) { to.doc.onEditUndo(); }, .enabled = whenUndoable},
    {.menu = Menu::Edit, .id = cmd::kEditRedo, .text = QT_TRANSLATE_NOOP("CMainFrame", "&Redo"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Redo the change last undone"), .keys = "Ctrl+Shift+Z; Ctrl+Y",
     .run = [](CommandTarget& to) { to.doc.onEditRedo(); }, .enabled = whenRedoable},
    separator(Menu::Edit),
    {.menu = Menu::Edit, .id = cmd::kEntryRename, .text = QT_TRANSLATE_NOOP("CMainFrame", "Re&name\u2026"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Give the entry shown a new name"),
     .run = [](CommandTarget& to) { to.frame.view().onEntryRename(); }, .enabled = whenTreeShown},
    {.menu = Menu::Edit, .id = cmd::kEditLogCareOnTrees,
     .text = QT_TRANSLATE_NOOP("CMainFrame", "&Log care on several trees\u2026"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Log one care, such as a watering, on the trees selected in the list or on every tree of a place"),
     .run = [](CommandTarget& to) { to.frame.onEditLogCareOnTrees(); }, .enabled = whenWritable},

    {.menu = Menu::View, .id = cmd::kViewCollectionList,
     .text = QT_TRANSLATE_NOOP("CMainFrame", "&Collection list\tCtrl+L"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Show or hide the list of every tree of the collection"),
     .keys = "Ctrl+L", .toggle = [](CommandTarget& to, bool on) { to.frame.showCollectionList(on); }},
    {.menu = Menu::View, .id = cmd::kViewCareDue, .text = QT_TRANSLATE_NOOP("CMainFrame", "Care &due\u2026\tCtrl+D"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "List the care tasks that are overdue or due soon"), .keys = "Ctrl+D",
     .run = [](CommandTarget& to) { to.frame.onViewCareDue(); }},
    {.menu = Menu::View, .id = cmd::kViewTimeline, .text = QT_TRANSLATE_NOOP("CMainFrame", "&Timeline\u2026\tCtrl+T"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Show the photos of the tree over the years, compare them and follow its growth"),
     .keys = "Ctrl+T", .run = [](CommandTarget& to) { to.frame.onViewTimeline(); }, .enabled = whenTreeShown},
    {.menu = Menu::View, .id = cmd::kViewGardenLocation, .text = QT_TRANSLATE_NOOP("CMainFrame", "&Garden location\u2026"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Say where the garden is, for its frost, heat and wire watch"),
     .run = [](CommandTarget& to) { to.frame.onViewGardenLocation(); }},
    separator(Menu::View),
    {.row = MenuRow::Languages, .menu = Menu::View},

    {.menu = Menu::Help, .id = cmd::kAppAbout, .text = QT_TRANSLATE_NOOP("CMainFrame", "&About Talvane..."),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Display program information, version number and copyright"),
     .run = [](CommandTarget& to) { to.frame.OnAppAbout(); }},
    {.menu = Menu::Help, .id = cmd::kHelpOpen, .text = QT_TRANSLATE_NOOP("CMainFrame", "&Help on Talvane"),
     .statusTip = QT_TRANSLATE_NOOP("CMainFrame", "Open the Talvane help page"), .tool = ToolButton::Button,
     .run = [](CommandTarget& to) { to.frame.OnHelpOpen(); }},
};

} // namespace

std::span<const MainCommand> mainCommands()
{
    return kCommands;
}

const char* menuTitle(Menu menu)
{
    switch (menu) {
    case Menu::File: return QT_TRANSLATE_NOOP("CMainFrame", "&File");
    case Menu::Edit: return QT_TRANSLATE_NOOP("CMainFrame", "&Edit");
    case Menu::View: return QT_TRANSLATE_NOOP("CMainFrame", "&View");
    case Menu::Help: return QT_TRANSLATE_NOOP("CMainFrame", "&Help");
    }
    return "";
}
