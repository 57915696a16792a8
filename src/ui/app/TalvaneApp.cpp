#include "ui/app/TalvaneApp.h"

#include "ui/app/CollectionRescue.h"
#include "ui/app/MainFrame.h"
#include "ui/app/ServingInBackground.h"
#include "ui/companion/PhoneSharing.h"
#include "ui/app/SplashDlg.h"
#include "ui/document/RecoveryKeeper.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/editing/TalvaneView.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/BaseDirectory.h"
#include "ui/framework/FilePaths.h"
#include "ui/framework/RecentFileList.h"
#include "ui/framework/UiServices.h"
#include "ui/framework/WindowPlacement.h"
#include "core/guide/GuideLoader.h"
#include "core/guide/GuideMessageLimit.h"
#include "ui/printing/ReportPrinting.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QSessionManager>
#include <QTimer>

using namespace talvane::collection;
using namespace talvane::guide;

CTalvaneApp::CTalvaneApp(UiServices& services) : m_services(services) {}

CTalvaneApp::~CTalvaneApp()
{
    // The window goes before the document it shows.
    m_background.reset();
    m_keeper.reset();
    m_frame.reset();
    m_printing.reset();
}

bool CTalvaneApp::InitInstance(const StartOptions& options)
{
    // Dialogs and message boxes open within their screen, as the window does.
    QCoreApplication::instance()->installEventFilter(new OwnedWindowsOnScreen(this));
    createWindowAndPrinting();
    keepUnsavedWork(options.recoveryFolder);
    if (options.sharingPort)
        m_frame->phoneSharing()->setPreferredPort(*options.sharingPort);
    m_background = std::make_unique<ServingInBackground>(*m_frame, *m_doc, m_services, ServingInBackground::defaultSocketPath());
    if (!openAtStart(options.collection))
        return false;
    // Later opens are offered the same, once the open that failed has returned.
    connect(m_doc.get(), &CTalvaneDoc::openFailed, this, &CTalvaneApp::offerRescue, Qt::QueuedConnection);
    m_frame->restorePlacement();
    if (!options.serveInBackgroundOn.isEmpty() && serveAtOnce(options.serveInBackgroundOn)) {
        LoadSpeciesGuide();
        return true;
    }
    showWindow(options);
    return true;
}

void CTalvaneApp::createWindowAndPrinting()
{
    m_recentFiles = std::make_unique<RecentFileList>();
    m_doc = std::make_unique<CTalvaneDoc>(m_services, *m_recentFiles);
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printing = std::make_unique<ReportPrinting>(*m_doc, m_services, *m_printer);
    m_frame = std::make_unique<CMainFrame>(*m_doc, m_services, *m_recentFiles, *m_printing, *m_printer);
}

void CTalvaneApp::keepUnsavedWork(const std::filesystem::path& recoveryFolder)
{
    m_keeper = std::make_unique<RecoveryKeeper>(*m_doc, RecoveryStore(recoveryFolder.empty() ? RecoveryStore::defaultFolder()
                                                                                             : recoveryFolder));
    m_doc->pictureHome().setStagingFolder(m_keeper->store().stagingFolder());
    // Typing on the pages is unsaved work too, before any Update.
    connect(&m_frame->view(), &CTalvaneView::commandStatesChanged, m_keeper.get(), &RecoveryKeeper::noteChange);
    connect(m_frame.get(), &CMainFrame::closedCleanly, m_keeper.get(), &RecoveryKeeper::discard);
    connect(m_keeper.get(), &RecoveryKeeper::keepingFailed, m_frame.get(), &CMainFrame::showRecoveryTrouble);
    connect(m_keeper.get(), &RecoveryKeeper::keepingResumed, m_frame.get(), &CMainFrame::showRecoveryKeptAgain);
}

void CTalvaneApp::showWindow(const StartOptions& options)
{
    m_frame->show();
    offerRecovery();
    m_keeper->store().removeStrayStaging();
    if (options.splash) {
        CSplashDlg splash(m_frame.get());
        m_services.dialogRunner().run(splash);
    }
    LoadSpeciesGuide();
    // A window opened from a notification shows the care due: it does not announce it again.
    if (options.notificationBus)
        m_frame->remindOfCareDue(*options.notificationBus, !options.careDue);
    if (options.careDue)
        QTimer::singleShot(0, m_frame.get(), &CMainFrame::onViewCareDue);
}

bool CTalvaneApp::serveAtOnce(const QString& bindAddress)
{
    if (const auto failure = m_frame->phoneSharing()->start(bindAddress)) {
        m_services.prompter().ask(tr("Sharing with phones could not start:\n%1").arg(*failure), QStringLiteral("Talvane"),
                                  mb::kOk | mb::kIconExclamation);
        return false;
    }
    m_keeper->discard();
    m_background->start();
    return m_background->isActive();
}

void CTalvaneApp::offerRecovery()
{
    for (const RecoveryRecord& record : m_keeper->store().leftBehind()) {
        const QString name = record.collectionPath.empty()
                                 ? QString::fromStdString(record.title)
                                 : QFileInfo(fromFsPath(record.collectionPath)).fileName();
        const int answer = m_services.prompter().choose(
            tr("Talvane closed before your changes to %1 were saved. Restore them?").arg(name),
            QStringLiteral("Talvane"), {tr("&Restore"), tr("&Discard"), tr("&Later")});
        if (answer == 1) {
            RecoveryStore::discard(record);
            continue;
        }
        if (answer == 0 && m_doc->restoreRecovered(record)) {
            // Kept anew under this program before the old file goes: a crash now loses nothing.
            m_keeper->writeNow();
            if (record.file != m_keeper->store().ownFile())
                RecoveryStore::discard(record);
        }
        // One collection at a time: the others wait for the next start.
        return;
    }
}

bool CTalvaneApp::openAtStart(const QString& collection)
{
    if (collection.isEmpty())
        return m_doc->OnNewDocument();
    bool unreadable = false;
    const auto noted = connect(m_doc.get(), &CTalvaneDoc::openFailed, this, [&unreadable] { unreadable = true; });
    const bool opened = m_doc->openDocumentFile(collection);
    disconnect(noted);
    return opened || (unreadable && offerRescue(collection));
}

bool CTalvaneApp::offerRescue(const QString& path)
{
    return CollectionRescue(*m_doc, m_services, m_keeper->store(), m_frame.get()).offer(path);
}

void CTalvaneApp::onQuitSignal()
{
    // No questions: the session is going away. The work is kept for the next start.
    m_quitBySignal = true;
    if (m_keeper)
        m_keeper->writeNow();
    // Every event loop ends, those of questions still open included.
    QCoreApplication::exit(0);
}

void CTalvaneApp::LoadSpeciesGuide()
{
    // A damaged guide shows its first few messages and how many more there were.
    GuideMessageLimit messages(kSpeciesGuideFileName,
                               [this](const std::string& text, const std::string& caption, unsigned flags) {
                                   m_services.prompter().ask(fromAnsi(text), fromAnsi(caption), flags);
                               });
    ::LoadSpeciesGuide(fsPath(shippedFilePath(QString::fromLatin1(kSpeciesGuideFileName))),
                       std::ref(messages));
    messages.finish();
}

void CTalvaneApp::onCommitDataRequest(QSessionManager& manager)
{
    if (!m_frame || !manager.allowsInteraction())
        return;
    const bool mayEnd = m_frame->queryClose();
    manager.release();
    if (!mayEnd)
        manager.cancel();
}
