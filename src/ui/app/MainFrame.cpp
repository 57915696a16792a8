#include "ui/app/MainFrame.h"

#include "ui/app/AboutDlg.h"
#include "ui/app/CommandIds.h"
#include "ui/app/LanguageMenu.h"
#include "ui/app/MainCommands.h"
#include "ui/app/EarlierVersionsDlg.h"
#include "ui/app/HelpPage.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/PagesAndList.h"
#include "ui/companion/PhoneSharing.h"
#include "ui/companion/ShareDlg.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/editing/EntryBar.h"
#include "ui/editing/TalvaneView.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/AppSettings.h"
#include "ui/framework/BaseDirectory.h"
#include "ui/framework/CoreTexts.h"
#include "ui/framework/FilePaths.h"
#include "ui/framework/RecentFileList.h"
#include "ui/framework/UiServices.h"
#include "ui/framework/WindowPlacement.h"
#include "ui/journal/BulkCareDlg.h"
#include "ui/journal/CareCalendarExport.h"
#include "ui/journal/CareCalendarKeeper.h"
#include "ui/journal/CareDueDlg.h"
#include "ui/journal/CareDueNotice.h"
#include "ui/journal/DayWatch.h"
#include "ui/journal/DesktopNotifier.h"
#include "ui/journal/JournalPage.h"
#include "ui/journal/PhoneReminders.h"
#include "core/companion/TreePageLink.h"
#include "core/reminders/SecretServiceKeyring.h"
#include "core/timeline/PictureFolders.h"
#include "ui/timeline/TimelineActions.h"
#include "ui/timeline/TimelineDlg.h"
#include "ui/journal/DueSummaryCounter.h"
#include "ui/journal/GardenWatch.h"
#include "ui/garden/GardenLocationDlg.h"
#include "core/journal/DueTasks.h"
#include "ui/overview/CollectionListPanel.h"
#include "ui/overview/CollectionOverview.h"
#include "ui/printing/InventoryPages.h"
#include "ui/printing/ReportPrinting.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

#include <algorithm>
#include <map>

using namespace talvane::collection;

// The pictures are compiled into this static library: register them before use.
static void initResources()
{
    Q_INIT_RESOURCE(talvane);
}

namespace {

// A text shown in a menu as it stands: "&" would otherwise mark a key.
QString menuText(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// The room the collection list takes beside the pages, the splitter's handle included.
constexpr int kCollectionListWidth = 460;
const QString kListShownKey = QStringLiteral("CollectionList/Shown");
const QString kListColumnsKey = QStringLiteral("CollectionList/Columns");
// The widths of the pages' area and of the list, as the splitter between them left them.
const QString kListSplitterKey = QStringLiteral("CollectionList/Splitter");
const QString kWindowGroup = QStringLiteral("MainWindow");
const QPoint kDefaultPosition(20, 20);

} // namespace

QSize computeFrameSize(const QRect& sheetFrame, int toolBarHeight, int entryBarHeight, int statusBarHeight)
{
    return {sheetFrame.width(), sheetFrame.height() + statusBarHeight + entryBarHeight + toolBarHeight + 20};
}

CMainFrame::CMainFrame(CTalvaneDoc& doc, UiServices& services, RecentFileList& recentFiles, ReportPrinting& printing,
                       QPrinter& printer)
    : m_doc(doc), m_services(services), m_recentFiles(recentFiles), m_printing(printing), m_printer(printer)
{
    initResources();
    QIcon icon(QStringLiteral(":/talvane/icon32.png"));
    icon.addFile(QStringLiteral(":/talvane/icon16.png"));
    setWindowIcon(icon);
    createMenus();
    m_placement = new WindowPlacement(*this, kWindowGroup);
    // The view is made first; it records the room its sheet needs.
    m_view = new CTalvaneView(doc, services);
    m_view->FitFrameToSheet(menuBar()->sizeHint().height());
    createBars();
    m_view->setEntryBar(m_wndDlgBar);
    createCollectionList();
    createSharing();
    connectDocument();
    createNoticeSources();
    connect(&m_recentFiles, &RecentFileList::changed, this, &CMainFrame::rebuildRecentFiles);
    // Where no browser opens the help (none is there, or it refuses to run), the window shows it.
    connect(&services.helpOpener(), &HelpOpener::pageNotOpened, this,
            [this](const QString& page) { HelpWindow::showPage(*this, page); });
    createDueCounting();
    createGardenWatching();
    rebuildRecentFiles();
    updateCaption();
    updateCommandUI();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::connectDocument()
{
    connect(m_view, &CTalvaneView::commandStatesChanged, this, &CMainFrame::updateCommandUI);
    connect(&m_view->journalPage(), &JournalPage::timelineRequested, this, &CMainFrame::onViewTimeline);
    connect(&m_view->journalPage(), &JournalPage::addPhotosRequested, this, &CMainFrame::onAddPhotos);
    connect(&m_doc, &CDocument::modifiedChanged, this, &CMainFrame::updateCommandUI);
    connect(&m_doc, &CDocument::titleChanged, this, &CMainFrame::updateCaption);
    connect(&m_doc, &CTalvaneDoc::fileStateChanged, this, [this] {
        updateCaption();
        updateCommandUI();
    });
}

void CMainFrame::createNoticeSources()
{
    const auto showNotice = [this](const QString& text) { statusBar()->showMessage(text); };
    connect(&m_doc, &CTalvaneDoc::fileNotice, this, showNotice);
    connect(new CareCalendarKeeper(m_doc, this), &CareCalendarKeeper::notice, this, showNotice);
    // Each task of a morning reminder links its tree's page while phones are paired.
    const auto treeLinks = [this](const EntryList& entries, std::size_t position) -> std::optional<std::string> {
        if (!m_sharing->server())
            return std::nullopt;
        return talvane::companion::treePageLink(*m_sharing->server(), entries, position);
    };
    m_phoneReminders =
        new PhoneReminders(m_doc, std::make_shared<talvane::reminders::SecretServiceKeyring>(), treeLinks,
                           &m_view->gardenWatch(), this);
    connect(m_phoneReminders, &PhoneReminders::notice, this, showNotice);
}

void CMainFrame::createDueCounting()
{
    m_dueCounter = new DueSummaryCounter(m_doc, this);
    // The count has a pane of its own, which menu hints and notices pass over.
    connect(m_dueCounter, &DueSummaryCounter::counted, this, [this](std::size_t due, int withinDays) {
        m_duePane->setText(due > 0 ? QString::fromStdString(talvane::journal::dueSummary(due, withinDays, windowWords))
                                   : QString());
        m_duePane->setVisible(due > 0);
    });
    connect(&m_doc, &CTalvaneDoc::entriesReset, this, &CMainFrame::showDueSummary);
    connect(&m_doc, &CTalvaneDoc::entriesReset, this, &CMainFrame::showMissingPictures);
    connect(&m_doc, &CTalvaneDoc::currentChanged, this, &CMainFrame::showMissingPictures);
    connect(&m_doc, &CTalvaneDoc::entryChanged, this, [this](std::size_t changed) {
        if (changed == m_doc.currentPosition())
            showMissingPictures();
    });
    // What is due depends on the day: a new one counts and announces again.
    m_dayWatch = new DayWatch(this);
    connect(m_dayWatch, &DayWatch::dayBegan, this, [this] {
        m_dueCounter->start(talvane::journal::CalendarDate::today(), talvane::journal::kDefaultDueDays);
        announceCareDue();
    });
}

QAction* CMainFrame::action(int commandId) const
{
    const auto found = std::find_if(m_commands.begin(), m_commands.end(),
                                    [commandId](const auto& command) { return command.first->id == commandId; });
    return found == m_commands.end() ? nullptr : found->second;
}

void CMainFrame::createMenus()
{
    std::map<Menu, QMenu*> menus;
    for (const MainCommand& row : mainCommands()) {
        QMenu*& menu = menus[row.menu];
        if (!menu)
            menu = menuBar()->addMenu(tr(menuTitle(row.menu)));
        addMenuRow(*menu, row);
    }
    QUndoStack& history = m_doc.history();
    connect(&history, &QUndoStack::undoTextChanged, this, &CMainFrame::updateCommandUI);
    connect(&history, &QUndoStack::redoTextChanged, this, &CMainFrame::updateCommandUI);
    connect(&history, &QUndoStack::indexChanged, this, &CMainFrame::updateCommandUI);
}

void CMainFrame::addMenuRow(QMenu& menu, const MainCommand& row)
{
    switch (row.row) {
    case MenuRow::Command: m_commands.emplace_back(&row, addCommand(menu, row)); break;
    case MenuRow::Separator: menu.addSeparator(); break;
    case MenuRow::RecentFiles:
        m_recentMenu = &menu;
        m_recentSeparator = menu.addSeparator();
        break;
    case MenuRow::Languages: menu.addMenu(new LanguageMenu(m_services.prompter(), &menu)); break;
    }
}

QAction* CMainFrame::addCommand(QMenu& menu, const MainCommand& command)
{
    auto* action = menu.addAction(tr(command.text));
    action->setData(command.id);
    action->setObjectName(QString::number(command.id));
    action->setStatusTip(tr(command.statusTip));
    if (command.keys)
        action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(command.keys)));
    if (const auto toggle = command.toggle) {
        action->setCheckable(true);
        connect(action, &QAction::toggled, this, [this, toggle](bool on) {
            CommandTarget target = commandTarget();
            toggle(target, on);
        });
        return action;
    }
    connect(action, &QAction::triggered, this, [this, run = command.run] {
        // A command may act on the whole collection: one being opened is read to its end first.
        m_doc.settleLoad();
        CommandTarget target = commandTarget();
        run(target);
        updateCommandUI();
    });
    return action;
}

CommandTarget CMainFrame::commandTarget()
{
    return {*this, m_doc, m_services, m_printing, m_printer};
}

void CMainFrame::createBars()
{
    const QToolBar* toolBar = createToolBar();
    addToolBarBreak();
    const QToolBar* entryBarHolder = createEntryBar();
    const QStatusBar* status = createStatusBar();
    setContextMenuPolicy(Qt::NoContextMenu);

    m_sizeFrame = computeFrameSize(m_view->sheetFrame(), toolBar->sizeHint().height(),
                                   entryBarHolder->sizeHint().height(), status->sizeHint().height());
    m_placement->setDesignedSize(m_sizeFrame);
    m_placement->resizeWithin(m_sizeFrame);
}

QToolBar* CMainFrame::createToolBar()
{
    auto* toolBar = addToolBar(tr("Standard"));
    toolBar->setObjectName(QStringLiteral("59392"));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(22, 22));
    const QPixmap strip(QStringLiteral(":/talvane/toolbar.png"));
    int image = 0;
    for (const auto& [command, action] : m_commands) {
        if (command->tool == ToolButton::None)
            continue;
        if (command->tool == ToolButton::ButtonAfterGap)
            toolBar->addSeparator();
        action->setIcon(QIcon(strip.copy(22 * image++, 0, 22, 22)));
        toolBar->addAction(action);
    }
    return toolBar;
}

QToolBar* CMainFrame::createEntryBar()
{
    auto* entryBarHolder = addToolBar(tr("Entries"));
    entryBarHolder->setObjectName(QStringLiteral("136"));
    entryBarHolder->setMovable(false);
    entryBarHolder->setFloatable(false);
    m_wndDlgBar = new EntryBar(entryBarHolder);
    entryBarHolder->addWidget(m_wndDlgBar);
    return entryBarHolder;
}

QStatusBar* CMainFrame::createStatusBar()
{
    QStatusBar* status = statusBar();
    for (const QString& indicator : {tr("CAP"), tr("NUM"), tr("SCRL")}) {
        auto* pane = new QLabel(indicator, status);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setEnabled(false);
        status->addPermanentWidget(pane);
    }
    // Each pane goes before the ones made earlier.
    m_sharingPane = addHiddenPane(*status);
    m_duePane = addHiddenPane(*status);
    m_gardenPane = addHiddenPane(*status);
    m_missingPane = addHiddenPane(*status);
    m_recoveryPane = addHiddenPane(*status);
    status->showMessage(tr("Ready"));
    connect(status, &QStatusBar::messageChanged, status, [status](const QString& message) {
        if (message.isEmpty())
            status->showMessage(tr("Ready"));
    });
    return status;
}

QLabel* CMainFrame::addHiddenPane(QStatusBar& status)
{
    auto* pane = new QLabel(&status);
    pane->hide();
    status.insertPermanentWidget(0, pane);
    return pane;
}

void CMainFrame::createCollectionList()
{
    m_listOverview = new CollectionOverview(m_doc, this);
    CollectionListPanel& panel = m_listOverview->panel();
    m_pagesAndList = new PagesAndList(m_view, &panel, this);
    setCentralWidget(m_pagesAndList);
    const QVariantList widths = appSettings().value(kListSplitterKey).toList();
    if (widths.size() == 2)
        m_pagesAndList->setPagesWidth(widths.at(0).toInt());

    // A chosen row goes the way of a choice in the entry box, question included.
    connect(&panel, &CollectionListPanel::entryChosen, this,
            [this](std::size_t position) { m_view->OnEntrySelChange(static_cast<int>(position)); });
    connect(&panel, &CollectionListPanel::deleteShownAsked, m_view, &CTalvaneView::OnEntryDelete);
    panel.restoreColumnState(appSettings().value(kListColumnsKey).toByteArray());
    action(cmd::kViewCollectionList)->setChecked(appSettings().value(kListShownKey, false).toBool());
}

QSize CMainFrame::designedSize() const
{
    return m_sizeFrame + QSize(collectionList().isHidden() ? 0 : kCollectionListWidth, 0);
}

void CMainFrame::restorePlacement()
{
    m_placement->restore(kDefaultPosition);
}

void CMainFrame::showCollectionList(bool shown)
{
    const bool wasShown = !collectionList().isHidden();
    if (shown == wasShown) {
        action(cmd::kViewCollectionList)->setChecked(shown);
        return;
    }
    if (!shown)
        saveCollectionListLayout();
    m_listOverview->setShown(shown);
    m_placement->setDesignedSize(designedSize());
    // The pages keep their width: the window grows by the list's, and gives it back.
    const int pagesArea = m_pagesAndList->pagesAreaWidth();
    if (shown) {
        const QVariantList widths = appSettings().value(kListSplitterKey).toList();
        const int list = widths.size() == 2 ? widths.at(1).toInt() : kCollectionListWidth - m_pagesAndList->handleWidth();
        m_placement->resizeWithin(QSize(std::max(width(), pagesArea + m_pagesAndList->handleWidth() + list), height()));
        m_pagesAndList->fitWidths();
    }
    else
        m_placement->resizeWithin(QSize(pagesArea, height()));
    action(cmd::kViewCollectionList)->setChecked(shown);
    appSettings().setValue(kListShownKey, shown);
}

CollectionListPanel& CMainFrame::collectionList() const
{
    return m_listOverview->panel();
}

void CMainFrame::saveCollectionListLayout() const
{
    if (collectionList().isHidden())
        return;
    QSettings settings = appSettings();
    settings.setValue(kListColumnsKey, collectionList().columnState());
    const QList<int> widths = m_pagesAndList->sizes();
    settings.setValue(kListSplitterKey, QVariantList{widths.value(0), widths.value(1)});
}

void CMainFrame::rebuildRecentFiles()
{
    for (QAction* old : m_recentActions)
        delete old;
    m_recentActions.clear();
    const QStringList& files = m_recentFiles.files();
    if (files.isEmpty()) {
        auto* placeholder = new QAction(tr("Recent &File"), m_recentMenu);
        placeholder->setEnabled(false);
        m_recentMenu->insertAction(m_recentSeparator, placeholder);
        m_recentActions.append(placeholder);
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        auto* item = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), m_recentMenu);
        item->setObjectName(QString::number(cmd::kFileMruFile1 + i));
        item->setStatusTip(path);
        connect(item, &QAction::triggered, this, [this, path] {
            m_doc.onOpenRecentFile(path);
            updateCommandUI();
        });
        m_recentMenu->insertAction(m_recentSeparator, item);
        m_recentActions.append(item);
    }
}

void CMainFrame::updateCaption()
{
    const QString readOnly = m_doc.isReadOnly() ? tr(" (read-only)") : QString();
    setWindowTitle(m_doc.title() + readOnly + tr("[*] - Talvane"));
}

CommandState CMainFrame::commandState() const
{
    const QUndoStack& history = m_doc.history();
    // Save stores the pages too: edits on them are unsaved changes like any other.
    return {.unsaved = m_doc.OnUpdateFileSave() || m_view->hasPageEdits(),
            .canUndo = history.canUndo(),
            .canRedo = history.canRedo(),
            .treeShown = m_view->hasCurrentEntry(),
            .readOnly = m_doc.isReadOnly(),
            .hasFile = !m_doc.pathName().isEmpty()};
}

void CMainFrame::updateCommandUI()
{
    const CommandState state = commandState();
    for (const auto& [command, action] : m_commands)
        action->setEnabled(!command->enabled || command->enabled(state));
    setWindowModified(state.unsaved);
    updateUndoTexts();
    m_wndDlgBar->updateButton()->setEnabled(state.treeShown);
    m_wndDlgBar->deleteButton()->setEnabled(state.treeShown);
    m_wndDlgBar->addButton()->setEnabled(true);
}

void CMainFrame::updateUndoTexts()
{
    const QUndoStack& history = m_doc.history();
    action(cmd::kEditUndo)->setText(history.canUndo() ? tr("&Undo %1").arg(menuText(history.undoText())) : tr("&Undo"));
    action(cmd::kEditRedo)->setText(history.canRedo() ? tr("&Redo %1").arg(menuText(history.redoText())) : tr("&Redo"));
}

void CMainFrame::OnHelpOpen()
{
    const QString page = shippedFilePath(helpPagePath());
    if (QFileInfo(page).isFile()) {
        m_services.helpOpener().openPage(page);
        return;
    }
    m_services.prompter().ask(tr("Could not open Talvane help file 'Hlp\\Index.htm'"),
                              tr("Attention"), mb::kOk);
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg about(this);
    m_services.dialogRunner().run(about);
}

void CMainFrame::createGardenWatching()
{
    GardenWatch& watch = m_view->gardenWatch();
    connect(&watch, &GardenWatch::changed, this, [this, &watch] {
        // The pane is as wide as the status bar leaves it; its whole text is its tip.
        m_gardenPane->setText(watch.summary());
        m_gardenPane->setToolTip(watch.summary());
        m_gardenPane->setVisible(!m_gardenPane->text().isEmpty());
    });
    connect(&watch, &GardenWatch::notice, this, [this](const QString& text) { statusBar()->showMessage(text); });
    connect(&watch, &GardenWatch::announced, this, [this](const QString& summary, const QString& body) {
        if (m_gardenNotifier)
            m_gardenNotifier->show(summary, body);
    });
}

void CMainFrame::onViewGardenLocation()
{
    GardenLocationDlg dialog(m_view->gardenWatch(), m_services.prompter(), this);
    m_services.dialogRunner().run(dialog);
}

void CMainFrame::onViewCareDue()
{
    CareDueDlg dialog(m_doc, m_services.prompter(), talvane::journal::CalendarDate::today(), this,
                      &m_view->gardenWatch());
    connect(&dialog, &CareDueDlg::phoneRemindersRequested, this,
            [this, &dialog] { m_phoneReminders->setUp(m_services, &dialog); });
    const bool chosen = m_services.dialogRunner().run(dialog) == QDialog::Accepted && dialog.chosenEntry();
    if (chosen) {
        // As choosing the tree in the entry list: edits on the pages are offered first.
        m_view->OnEntrySelChange(static_cast<int>(*dialog.chosenEntry()));
        m_view->showJournalTab();
    }
    updateCommandUI();
}

void CMainFrame::remindOfCareDue(const QDBusConnection& bus, bool announceNow)
{
    m_careNotifier = new DesktopNotifier(bus, CareDueNotice::actionLabel(), this);
    connect(m_careNotifier, &DesktopNotifier::activated, this, &CMainFrame::onCareDueNotificationChosen);
    m_gardenNotifier = new DesktopNotifier(bus, CareDueNotice::actionLabel(), this);
    connect(m_gardenNotifier, &DesktopNotifier::activated, this, &CMainFrame::onCareDueNotificationChosen);
    if (announceNow)
        announceCareDue();
}

void CMainFrame::announceCareDue()
{
    if (!m_careNotifier)
        return;
    if (const auto notice = makeCareDueNotice(m_doc.entries(), talvane::journal::CalendarDate::today()))
        m_careNotifier->show(notice->summary, notice->body);
}

void CMainFrame::onCareDueNotificationChosen()
{
    raise();
    activateWindow();
    // A question or a window already open keeps its place.
    if (!QApplication::activeModalWidget())
        onViewCareDue();
}

void CMainFrame::onViewTimeline()
{
    const auto position = m_doc.currentPosition();
    if (!position)
        return;
    TimelineDlg dialog(m_doc, m_services, *position, this);
    m_services.dialogRunner().run(dialog);
    updateCommandUI();
}

void CMainFrame::onAddPhotos()
{
    if (const auto position = m_doc.currentPosition())
        TimelineActions(m_doc, m_services).askAndAddPhotos(*position);
    updateCommandUI();
}

void CMainFrame::onFileShareWithPhones()
{
    if (!m_shareDlg) {
        m_shareDlg = new ShareDlg(*m_sharing, m_services, this);
        // Replacing the collection ends its sharing, and the window that showed it.
        connect(m_sharing, &PhoneSharing::sharingChanged, m_shareDlg, [this] {
            if (!m_sharing->isSharing())
                m_shareDlg->hide();
        });
    }
    if (m_shareDlg->startSharing()) {
        m_shareDlg->show();
        m_shareDlg->raise();
        m_shareDlg->activateWindow();
    }
}

void CMainFrame::createSharing()
{
    m_sharing = new PhoneSharing(m_doc, &m_view->gardenWatch(), this);
    const auto showStatus = [this] {
        m_sharingPane->setText(m_sharing->statusText());
        m_sharingPane->setVisible(m_sharing->isSharing());
    };
    connect(m_sharing, &PhoneSharing::sharingChanged, this, showStatus);
    connect(m_sharing, &PhoneSharing::phonesChanged, this, showStatus);
}

void CMainFrame::onFileRestoreVersion()
{
    const QString path = m_doc.pathName();
    auto versions = listVersions(fsPath(path));
    if (versions.empty()) {
        m_services.prompter().ask(tr("No earlier version of \u201C%1\u201D is kept yet: a version is kept "
                                                 "each time the collection is saved.")
                                      .arg(QFileInfo(path).fileName()),
                                  QStringLiteral("Talvane"), mb::kOk | mb::kIconInformation);
        return;
    }
    EarlierVersionsDlg dialog(std::move(versions), this);
    const bool opened = m_services.dialogRunner().run(dialog) == QDialog::Accepted && dialog.chosenVersion() &&
                        m_doc.openAsUntitledCopy(fromFsPath(dialog.chosenVersion()->file));
    if (opened)
        statusBar()->showMessage(tr("An earlier version of %1 is open as a new collection.").arg(QFileInfo(path).fileName()));
    updateCommandUI();
}

void CMainFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // A change on disk seen while the window was in the background is settled when
    // the user comes back, not in the middle of other work.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_doc.changedOnDisk())
        QTimer::singleShot(0, this, [this] {
            m_doc.resolveChangeOnDisk();
            updateCommandUI();
        });
}

void CMainFrame::onFileExportCareCalendar()
{
    if (const auto written = exportCareCalendar(m_doc, m_services))
        statusBar()->showMessage(written == 1u ? tr("1 care task written to the calendar")
                                               : tr("%1 care tasks written to the calendar").arg(*written));
    updateCommandUI();
}

void CMainFrame::showDueSummary()
{
    statusBar()->showMessage(tr("Ready"));
    m_dueCounter->start(talvane::journal::CalendarDate::today(), talvane::journal::kDefaultDueDays);
}

bool CMainFrame::queryClose()
{
    return m_doc.SaveBeforeExit();
}

std::optional<bool> CMainFrame::askKeepServing()
{
    // A collection lent by a program serving it without a window goes back to it.
    if (!m_sharing->isSharing() || m_sharing->isOnLoan() || m_doc.pathName().isEmpty())
        return false;
    const int answer = m_services.prompter().choose(
        tr("Phones are sharing %1. Keep serving them in the background once the window is closed?\n\n"
           "Talvane then goes on running: start it again to bring the window back.")
            .arg(QFileInfo(m_doc.pathName()).fileName()),
        QStringLiteral("Talvane"), {tr("&Keep serving"), tr("&Stop sharing"), tr("Cancel")});
    if (answer == 2)
        return std::nullopt;
    return answer == 0;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    const auto keepServing = askKeepServing();
    if (keepServing && queryClose()) {
        saveCollectionListLayout();
        m_placement->save();
        event->accept();
        emit closedCleanly();
        if (*keepServing)
            emit closedToServe();
        else
            m_sharing->stop();
    }
    else
        event->ignore();
}

void CMainFrame::onFilePrintCollectionList()
{
    m_doc.OfferToKeepChanges();
    const CollectionListPanel& panel = m_listOverview->panel();
    Inventory inventory;
    inventory.title = m_doc.title();
    inventory.total = m_doc.entryCount();
    inventory.filterWords = panel.filterBox()->text().simplified();
    inventory.columns = panel.shownColumns();
    inventory.positions = m_listOverview->listedPositions();
    m_printing.onFilePrintCollectionList(inventory);
}

void CMainFrame::onFilePrintLabels()
{
    m_doc.OfferToKeepChanges();
    const std::vector<std::size_t> listed = m_listOverview->listedPositions();
    m_printing.onFilePrintLabels(m_listOverview->panel().selectedPositions(), listed);
}

void CMainFrame::onEditLogCareOnTrees()
{
    BulkCareDlg dialog(m_doc.entries(), m_listOverview->panel().selectedPositions(), this);
    if (m_services.dialogRunner().run(dialog) == QDialog::Accepted)
        m_doc.logCareOnTrees(dialog.trees(), dialog.event());
}

void CMainFrame::showMissingPictures()
{
    const auto position = m_doc.currentPosition();
    const std::size_t missing =
        position ? talvane::timeline::missingPictureCount(m_doc.entryAt(*position), m_doc.pictureFolders()) : 0;
    m_missingPane->setText(missing == 1 ? tr("1 picture of this tree is missing")
                                        : tr("%1 pictures of this tree are missing").arg(missing));
    m_missingPane->setVisible(missing > 0);
}

void CMainFrame::showPassportNotice(const std::optional<QString>& notice)
{
    if (notice)
        statusBar()->showMessage(*notice);
}

void CMainFrame::showRecoveryTrouble(const QString& folder, const QString& reason)
{
    m_recoveryPane->setText(tr("Unsaved changes are not kept for recovery: %1").arg(reason));
    m_recoveryPane->show();
    m_services.prompter().ask(tr("Talvane cannot keep your unsaved changes for recovery in %1:\n%2.\n\n"
                                 "Until it can, they are lost if Talvane or the computer stops before you save. "
                                 "Talvane keeps trying and says when it works again.")
                                  .arg(folder, reason),
                              QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
}

void CMainFrame::showRecoveryKeptAgain()
{
    m_recoveryPane->hide();
    statusBar()->showMessage(tr("Unsaved changes are kept for recovery again."));
}
