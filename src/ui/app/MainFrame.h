#pragma once

#include <QMainWindow>
#include <QSize>

#include <optional>
#include <utility>
#include <vector>

class PhoneSharing;
class QLabel;
class QPrinter;
class QStatusBar;
class QToolBar;
class ReportPrinting;
class ShareDlg;
struct CommandState;
struct CommandTarget;
struct MainCommand;

class EntryBar;
class CollectionListPanel;
class PagesAndList;
class CollectionOverview;
class CTalvaneDoc;
class CTalvaneView;
class DayWatch;
class DesktopNotifier;
class DueSummaryCounter;
class PhoneReminders;
class QDBusConnection;
class QAction;
class QLabel;
class QMenu;
class RecentFileList;
class UiServices;
class WindowPlacement;

// The frame's designed size: the sheet's rectangle plus the three bars and 20 pixels.
QSize computeFrameSize(const QRect& sheetFrame, int toolBarHeight, int entryBarHeight, int statusBarHeight);

// The program's one window: menu, tool bar, entry bar, status bar, and the entry
// view below them, with the collection list beside it. It may grow beyond its designed
// size, never shrink below it unless the screen is smaller.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // The printing outlives the window: its commands are in the window's menus.
    CMainFrame(CTalvaneDoc& doc, UiServices& services, RecentFileList& recentFiles, ReportPrinting& printing,
               QPrinter& printer);
    ~CMainFrame() override;

    CTalvaneView& view() const { return *m_view; }
    EntryBar& entryBar() const { return *m_wndDlgBar; }
    CollectionListPanel& collectionList() const;
    PagesAndList& pagesAndList() const { return *m_pagesAndList; }
    // The window's designed size without the collection list, set once the bars are made.
    QSize frameSizeWithoutList() const { return m_sizeFrame; }
    // The size the window is laid out for, with the list when it shows.
    QSize designedSize() const;
    // Opens the window at the size and place it had last time, where they fit the
    // screen; otherwise at its designed size, at the top left of the screen.
    void restorePlacement();
    // The action of a command of the menus, by its id; none for another id.
    QAction* action(int commandId) const;

    // Runs the save question of the collection; false keeps the window open. Both
    // closing the window and the end of the desktop session come through here.
    bool queryClose();

    // Sets the enabled state of every command from the document and the view.
    void updateCommandUI();
    // What the enabling of the commands depends on, as things are now.
    CommandState commandState() const;

    // Shows or hides the collection list beside the pages: the window grows or
    // shrinks by the list's width as far as the screen allows, the pages keep their
    // size. Remembered in the settings, with the list's width.
    void showCollectionList(bool shown);

    // Announces the care due today or overdue on the desktop over this bus: now unless
    // the window was opened to show it, and each day at midnight while the window is open.
    void remindOfCareDue(const QDBusConnection& bus, bool announceNow = true);
    DayWatch& dayWatch() const { return *m_dayWatch; }

public slots:
    void OnHelpOpen();
    void OnAppAbout();
    // View Care due: the tasks of the collection; a chosen task shows its tree.
    void onViewCareDue();
    // View Timeline: the shown tree's photos, their comparison and its growth.
    void onViewTimeline();
    // View Garden location: where the collection's garden is, for its forecast.
    void onViewGardenLocation();
    // Photos chosen on the Journal tab go onto the shown tree's timeline.
    void onAddPhotos();
    void onFileExportCareCalendar();
    // File Share with phones: the window with the pairing code; sharing lasts until Stop
    // sharing, whatever becomes of that window.
    void onFileShareWithPhones();
    // Offers to keep page edits, then prints the trees of the collection list, as listed.
    void onFilePrintCollectionList();
    // The same for labels of the trees selected in the list, or of every tree it shows.
    void onFilePrintLabels();
    // Edit Log care on several trees: one event on the trees selected in the list, or on
    // those of a place, as one step beside the edits on the pages.
    void onEditLogCareOnTrees();
    // What a tree passport command tells, in the status bar.
    void showPassportNotice(const std::optional<QString>& notice);
    ShareDlg* shareDialog() const { return m_shareDlg; }
    PhoneSharing* phoneSharing() const { return m_sharing; }
    // The status bar's count of care due, empty and hidden when nothing is due.
    QLabel* duePane() const { return m_duePane; }
    // The status bar's frost or heat alert, hidden while there is none.
    QLabel* gardenPane() const { return m_gardenPane; }
    // The status bar's count of the shown tree's pictures that are missing, hidden when none is.
    QLabel* missingPicturesPane() const { return m_missingPane; }
    // The unsaved work cannot be kept for recovery: said in a pane of the status bar
    // that stays until it can, and once in a warning.
    void showRecoveryTrouble(const QString& folder, const QString& reason);
    // It is kept again: the pane goes, and the status bar says so.
    void showRecoveryKeptAgain();
    // That pane, hidden while the work is kept.
    QLabel* recoveryPane() const { return m_recoveryPane; }
    // File Restore an earlier version: a kept version opens as an untitled copy.
    void onFileRestoreVersion();
    // The desktop notification of the care due; none while nothing is due.
    void announceCareDue();
    // The grower chose the notification: the window comes forward with Care due open,
    // unless a window of its own is open already.
    void onCareDueNotificationChosen();

signals:
    // The window closed after the exit question: nothing unsaved is left to keep.
    void closedCleanly();
    // ... and the user chose to go on serving the shared collection to phones without it.
    void closedToServe();

protected:
    // While phones share the collection, asks first whether to go on serving them.
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The menus from the table of commands, then what the undo history changes in them.
    void createMenus();
    void addMenuRow(QMenu& menu, const MainCommand& row);
    QAction* addCommand(QMenu& menu, const MainCommand& command);
    CommandTarget commandTarget();
    // The texts of Undo and Redo name the step they take.
    void updateUndoTexts();
    void connectDocument();
    void createNoticeSources();
    void createDueCounting();
    // The garden's alerts in the status bar and, once a spell, on the desktop.
    void createGardenWatching();
    // Tells in the status bar how many care tasks the collection opened has due, once
    // they are counted: the window does not wait for that.
    void showDueSummary();
    void showMissingPictures();
    void createBars();
    QToolBar* createToolBar();
    QToolBar* createEntryBar();
    QStatusBar* createStatusBar();
    QLabel* addHiddenPane(QStatusBar& status);
    void createCollectionList();
    void createSharing();
    // Whether to go on serving the phones without the window: nothing when cancelled.
    std::optional<bool> askKeepServing();
    void saveCollectionListLayout() const;
    void rebuildRecentFiles();
    void updateCaption();

    CTalvaneDoc& m_doc;
    UiServices& m_services;
    RecentFileList& m_recentFiles;
    ReportPrinting& m_printing;
    QPrinter& m_printer;
    CTalvaneView* m_view;
    EntryBar* m_wndDlgBar = nullptr;
    CollectionOverview* m_listOverview = nullptr;
    PagesAndList* m_pagesAndList = nullptr;
    WindowPlacement* m_placement = nullptr;
    DueSummaryCounter* m_dueCounter = nullptr;
    DayWatch* m_dayWatch = nullptr;
    DesktopNotifier* m_careNotifier = nullptr;
    DesktopNotifier* m_gardenNotifier = nullptr;
    PhoneReminders* m_phoneReminders = nullptr;
    // Each command of the table with its action, in the table's order.
    std::vector<std::pair<const MainCommand*, QAction*>> m_commands;
    // The recent collections go above this separator of this menu.
    QMenu* m_recentMenu = nullptr;
    QAction* m_recentSeparator = nullptr;
    QList<QAction*> m_recentActions;
    QSize m_sizeFrame;
    PhoneSharing* m_sharing = nullptr;
    ShareDlg* m_shareDlg = nullptr;
    QLabel* m_sharingPane = nullptr;
    QLabel* m_duePane = nullptr;
    QLabel* m_gardenPane = nullptr;
    QLabel* m_missingPane = nullptr;
    QLabel* m_recoveryPane = nullptr;
};
