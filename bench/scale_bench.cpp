// Times the program's everyday steps on a generated collection of N entries:
//   build/bin/bench_scale N [--no-pdf] [--phones] [--background]
//   build/bin/bench_scale N --pauses [--copy-of FILE.tvn]
// Run it once per size; each run is a fresh process, so memory figures stand alone.
// --pauses drives the window through a grower's steps on N trees with journals (open,
// type on a page and let the recovery copy be kept, type a filter word, save, print the
// complete list and the inventory, count what is due) and tells, for each, the longest
// the window's event loop went unturned, then the most memory the program held.
// --copy-of measures on a copy of a collection of the user's (N being its tree count).
// --phones also shares the collection with 20 simulated phones on loopback and tells
// how long their requests took and the longest the window's event loop went unturned.
// --background closes the window while sharing, as a grower going out to the garden
// does, and tells the memory the program holds while it serves the phones without it.
#include "PhoneLoad.h"
#include "SampleEntries.h"
#include "Measures.h"
#include "ui/app/MainFrame.h"
#include "ui/app/TalvaneApp.h"
#include "core/companion/CollectionSnapshot.h"
#include "ui/companion/PhoneSharing.h"
#include "core/collection/CollectionFile.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/editing/EntryBar.h"
#include "ui/editing/FormPages.h"
#include "ui/editing/NewEntryDlg.h"
#include "ui/editing/TalvaneView.h"
#include "ui/framework/BaseDirectory.h"
#include "ui/framework/UiServices.h"
#include "ui/journal/DueSummaryCounter.h"
#include "ui/overview/CollectionListPanel.h"
#include "core/journal/DueTasks.h"
#include "ui/printing/ReportPrinting.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QEventLoop>
#include <QTimer>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cstdio>
#include <thread>
#include <fstream>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

using namespace talvane::collection;

namespace {

// Answers every question the way a user carrying on would: Yes, OK.
class YesPrompter : public Prompter {
public:
    int ask(const QString&, const QString&, unsigned flags) override
    {
        return (flags & 0x0F) == mb::kYesNo || (flags & 0x0F) == mb::kYesNoCancel ? mb::kIdYes : mb::kIdOk;
    }
    int choose(const QString&, const QString&, const QStringList&) override { return 0; }
};

class NoFiles : public FileChooser {
public:
    std::optional<QString> chooseSaveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> chooseOpenFile(const FileRequest&) override { return std::nullopt; }
};

// Fills the New entry dialog with a name and accepts it.
class NewEntryFiller : public DialogRunner {
public:
    int run(QDialog& dialog) override
    {
        if (auto* newEntry = qobject_cast<CNewEntryDlg*>(&dialog)) {
            newEntry->nameEdit()->setText(QStringLiteral("Benchmark tree"));
            newEntry->accept();
        }
        return QDialog::Accepted;
    }
};

class NoHelp : public HelpOpener {
public:
    void openPage(const QString&) override {}
};

// The print dialog, answered by the bench: cancelled, or printing to a PDF file.
class ScriptedPrinterDialog : public PrinterChooser {
public:
    bool choosePrinter(QPrinter& printer, int, int) override
    {
        if (pdf.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    }
    void setUpPage(QPrinter&) override {}

    QString pdf; // empty: the dialog is cancelled
};

// The most memory the process holds while something runs, sampled every 10 ms.
long peakResidentKilobytesDuring(const std::function<void()>& run)
{
    std::atomic<bool> running = true;
    std::atomic<long> peak = residentKilobytes();
    std::thread sampler([&] {
        while (running) {
            peak = std::max(peak.load(), residentKilobytes());
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    run();
    running = false;
    sampler.join();
    return std::max(peak.load(), residentKilobytes());
}

void report(const char* step, double seconds)
{
    std::printf("%-34s %10.4f s\n", step, seconds);
}

// Shares the collection with phones while the window's event loop turns, ticking every
// 5 ms to find the longest stretch in which it did not.
void sharePhones(CTalvaneDoc& doc)
{
    // What the window's thread does after each change while sharing: copy the entries.
    const int takes = 20;
    report("snapshot for the phones (each)", seconds([&] {
        for (int i = 0; i < takes; ++i)
            talvane::companion::CollectionSnapshot(doc.entries(), "bench", {}, {});
    }) / takes);
    PhoneSharing sharing(doc);
    if (const auto failure = sharing.start(QStringLiteral("127.0.0.1"))) {
        std::fprintf(stderr, "cannot share: %s\n", qPrintable(*failure));
        return;
    }
    auto& server = *sharing.server();
    const std::vector<std::string> cookies = pairPhones(server, 20);
    const std::string photo = fiveMegabytePhoto(readFile(std::filesystem::path(TALVANE_SOURCE_DIR) / "data" / "Photos" /
                                                         "2022-01-16 Momiji.jpg"));
    std::atomic<bool> done = false;
    Tally tally;
    double wall = 0;
    std::thread phones([&] {
        wall = runPhones(server.port(), cookies, 100, std::chrono::seconds(180), photo, tally);
        done = true;
    });
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer tick;
    tick.setInterval(5);
    QEventLoop loop;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.restart());
        if (done)
            loop.quit();
    });
    sinceTick.start();
    tick.start();
    loop.exec();
    phones.join();
    std::printf("%zu phones: %zu requests in %.1f s, %zu failed %s\n", cookies.size(), tally.requests, wall, tally.failures,
                tally.firstFailure.c_str());
    std::printf("Trees page   %5zu  p50 %7.1f ms  p95 %7.1f ms\n", tally.treesMs.size(), percentile(tally.treesMs, 0.5),
                percentile(tally.treesMs, 0.95));
    std::printf("5 MB upload  %5zu  p50 %7.1f ms  p95 %7.1f ms\n", tally.uploadMs.size(), percentile(tally.uploadMs, 0.5),
                percentile(tally.uploadMs, 0.95));
    std::printf("longest the event loop went unturned: %lld ms (ticks every 5 ms)\n", static_cast<long long>(longestGap));
}

// Shares on loopback, then closes the window choosing to keep serving the phones.
void serveWithTheWindowClosed(CTalvaneApp& app, QApplication& application)
{
    PhoneSharing& sharing = *app.mainFrame()->phoneSharing();
    if (const auto failure = sharing.start(QStringLiteral("127.0.0.1"))) {
        std::fprintf(stderr, "cannot share: %s\n", qPrintable(*failure));
        return;
    }
    application.processEvents();
    const long open = residentKilobytes();
    app.mainFrame()->close();
    application.processEvents();
    std::printf("resident memory while sharing: %ld kB with the window open, %ld kB with it closed (%s)\n", open,
                residentKilobytes(), sharing.servedWithoutWindow().isEmpty() ? "not served" : "served in the background");
}

// Runs a step from the window's event loop and turns the loop, ticking every 5 ms, until
// `over` says the step has ended: the longest gap between two ticks is the longest the
// window did not answer.
qint64 longestPauseWhile(const std::function<void()>& step, const std::function<bool()>& over)
{
    QElapsedTimer sinceTick;
    qint64 longest = 0;
    bool started = false;
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, sinceTick.restart());
        if (started && over())
            loop.quit();
    });
    QTimer::singleShot(0, [&] {
        step();
        started = true;
    });
    sinceTick.start();
    tick.start();
    loop.exec();
    return longest;
}

// Keys typed into a widget one every 150 ms, as a grower types; true once the last is in.
class Typist {
public:
    Typist(QWidget& into, const QString& keys) : m_into(into), m_keys(keys)
    {
        m_timer.setInterval(150);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (m_typed < m_keys.size())
                QTest::keyClick(&m_into, m_keys.at(m_typed++).toLatin1());
            else
                m_timer.stop();
        });
    }
    void start()
    {
        m_into.setFocus();
        m_timer.start();
    }
    bool done() const { return m_typed == m_keys.size(); }

private:
    QWidget& m_into;
    QString m_keys;
    qsizetype m_typed = 0;
    QTimer m_timer;
};

// Waits a while after `done` turns true, for what a step starts later (the recovery
// copy 3 s after a change, the list following a filter) to happen within the measure.
std::function<bool()> andThen(std::function<bool()> done, int milliseconds)
{
    auto since = std::make_shared<QElapsedTimer>();
    return [done = std::move(done), since, milliseconds] {
        if (!done())
            return false;
        if (!since->isValid())
            since->start();
        return since->elapsed() >= milliseconds;
    };
}

void reportPause(const char* step, qint64 milliseconds)
{
    std::printf("longest pause while %s: %lld ms\n", step, static_cast<long long>(milliseconds));
}

// The steps of a grower's day on a large collection, each measured by how long the window
// stops answering.
void measurePauses(CTalvaneApp& app, const std::string& file, std::size_t count, ScriptedPrinterDialog& printDialog,
                   const QDir& folder, long emptyKilobytes)
{
    CTalvaneDoc& doc = app.document();
    CMainFrame& frame = *app.mainFrame();
    frame.show();
    frame.showCollectionList(true);
    reportPause("opening", longestPauseWhile([&] { doc.openDocumentFile(QString::fromStdString(file)); },
                                             andThen([&] { return doc.entryCount() == count; }, 200)));

    auto* botanicalName = frame.view().plantPage().findChild<QLineEdit*>(QStringLiteral("1023"));
    Typist typing(*botanicalName, QStringLiteral(" var. benchmark"));
    reportPause("typing in a page", longestPauseWhile([&] { typing.start(); },
                                                      andThen([&] { return typing.done(); }, 4000)));

    Typist filtering(*frame.collectionList().filterBox(), QStringLiteral("ficus"));
    reportPause("typing a filter word", longestPauseWhile([&] { filtering.start(); },
                                                          andThen([&] { return filtering.done(); }, 1000)));
    std::printf("  (the list shows %s for \"%s\")\n", qPrintable(frame.collectionList().countLine()->text()),
                qPrintable(frame.collectionList().filterBox()->text()));
    frame.collectionList().filterBox()->clear();

    reportPause("saving", longestPauseWhile([&] { doc.startFileSave(); }, andThen([&] { return !doc.IsModified(); }, 200)));

    printDialog.pdf = folder.filePath(QStringLiteral("pauses.pdf"));
    reportPause("printing the complete list", longestPauseWhile([&] { app.printing().OnFilePrint(true); },
                                                                andThen([] { return true; }, 200)));
    printDialog.pdf = folder.filePath(QStringLiteral("pauses-inventory.pdf"));
    reportPause("printing the inventory", longestPauseWhile([&] { frame.onFilePrintCollectionList(); },
                                                            andThen([] { return true; }, 200)));

    DueSummaryCounter dueCount(doc);
    reportPause("counting what is due",
                longestPauseWhile(
                    [&] { dueCount.start(talvane::journal::CalendarDate::today(), talvane::journal::kDefaultDueDays); },
                    andThen([&] { return !dueCount.isCounting(); }, 200)));

    std::printf("peak resident: %.0f MB for a file of %.0f MB\n", peakResidentKilobytes() / 1024.0,
                static_cast<double>(std::filesystem::file_size(file)) / (1024.0 * 1024.0));
    std::printf("  (the window held %.0f MB with no collection)\n", emptyKilobytes / 1024.0);
}

} // namespace

// Writes the collection in a child process, so that the memory it took is not
// counted as the program's; with journals, each tree keeps twenty events.
bool writeSampleFile(const std::string& file, std::size_t count, bool withJournals)
{
    const pid_t child = ::fork();
    if (child == 0) {
        EntryList entries = sampleCollection(count);
        if (withJournals)
            for (std::size_t n = 0; n < count; ++n)
                (*entries[n])[kJournalField] = sampleJournal(n);
        ::_exit(saveCollectionFile(file, entries, {.keepVersion = false}) ? 1 : 0);
    }
    int status = 1;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10000;
    const auto given = [&](const char* flag) { return std::find(argv + 2, argv + argc, std::string(flag)) != argv + argc; };
    const bool withPdf = !given("--no-pdf");
    const bool withPhones = given("--phones");
    const bool inBackground = given("--background");
    const bool pauses = given("--pauses");
    const std::string file = (std::filesystem::temp_directory_path() / ("talvane-scale-" + std::to_string(::getpid()) + ".tvn")).string();
    const auto copyOf = std::find(argv + 2, argv + argc, std::string("--copy-of"));
    std::error_code copyFailure;
    if (copyOf != argv + argc && copyOf + 1 != argv + argc)
        std::filesystem::copy_file(*(copyOf + 1), file, copyFailure);
    else if (!writeSampleFile(file, count, pauses))
        copyFailure = std::make_error_code(std::errc::io_error);
    if (copyFailure) {
        std::fprintf(stderr, "cannot write the collection %s\n", file.c_str());
        return 1;
    }
    const auto fileSize = std::filesystem::file_size(file);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    setBaseDirectory(folder.path());
    // Unsaved work of an earlier run must not be offered back to this one.
    qputenv("XDG_STATE_HOME", folder.path().toLocal8Bit());

    UiServices services(std::make_unique<YesPrompter>(), std::make_unique<NoFiles>(), std::make_unique<NewEntryFiller>(),
                        std::make_unique<NoHelp>(), std::make_unique<ScriptedPrinterDialog>());
    CTalvaneApp app(services);
    StartOptions empty;
    empty.splash = false;
    const long before = residentKilobytes();
    app.InitInstance(empty);
    application.processEvents();
    const long emptyFootprint = residentKilobytes();
    if (pauses) {
        measurePauses(app, file, count, dynamic_cast<ScriptedPrinterDialog&>(services.printerChooser()),
                      QDir(folder.path()), emptyFootprint);
        std::filesystem::remove(file);
        return 0;
    }

    std::printf("%zu entries, file %.1f MB\n", count, fileSize / 1e6);
    CTalvaneDoc& doc = app.document();
    CTalvaneView& view = app.mainFrame()->view();
    QComboBox* list = app.mainFrame()->entryBar().entryList();
    report("open and show the first entry", seconds([&] {
        doc.openDocumentFile(QString::fromStdString(file));
        application.processEvents();
    }));
    const long opened = residentKilobytes();

    const int changes = 200;
    const double change = seconds([&] {
        for (int i = 0; i < changes; ++i) {
            const int index = static_cast<int>((static_cast<std::size_t>(i) * 7919) % count);
            list->setCurrentIndex(index);
            view.OnEntrySelChange(index);
        }
    });
    report("change the selected entry (each)", change / changes);
    report("Add", seconds([&] { view.OnEntryAdd(); }));
    report("Update", seconds([&] { view.OnEntryUpdate(); }));
    // A due count like the window's, timed alone: Qt calls the slots of a signal in the
    // order they were connected, so the two around it bracket its work on a Delete.
    QElapsedTimer countTime;
    qint64 countNanoseconds = 0;
    QObject::connect(&doc, &CTalvaneDoc::entryRemoved, [&] { countTime.start(); });
    DueSummaryCounter dueCount(doc);
    QObject::connect(&doc, &CTalvaneDoc::entryRemoved, [&] { countNanoseconds = countTime.nsecsElapsed(); });
    dueCount.start(talvane::journal::CalendarDate::today(), talvane::journal::kDefaultDueDays);
    while (dueCount.isCounting())
        application.processEvents();
    const int middle = static_cast<int>(count / 2);
    list->setCurrentIndex(middle);
    view.OnEntrySelChange(middle);
    report("Delete in the middle", seconds([&] { view.OnEntryDelete(); }));
    std::printf("%-34s %10.1f us\n", "due count following that Delete", static_cast<double>(countNanoseconds) / 1e3);
    report("save", seconds([&] { doc.OnFileSave(); }));
    auto& printDialog = dynamic_cast<ScriptedPrinterDialog&>(services.printerChooser());
    const long beforePrint = residentKilobytes();
    report("count the complete list's pages", seconds([&] { app.printing().OnFilePrint(true); }));
    std::printf("%-34s %10ld kB\n", "memory kept after Cancel", residentKilobytes() - beforePrint);
    if (withPdf) {
        printDialog.pdf = QDir(folder.path()).filePath(QStringLiteral("scale.pdf"));
        long peak = 0;
        report("print the complete list to PDF", seconds([&] {
            peak = peakResidentKilobytesDuring([&] { app.printing().OnFilePrint(true); });
        }));
        std::printf("%-34s %10ld kB\n", "memory added while printing", peak - beforePrint);
        std::printf("%-34s %10ld kB\n", "memory kept after printing", residentKilobytes() - beforePrint);
        printDialog.pdf = QDir(folder.path()).filePath(QStringLiteral("inventory.pdf"));
        report("print the collection list to PDF", seconds([&] { app.mainFrame()->onFilePrintCollectionList(); }));
        std::printf("%-34s %10.1f MB\n", "collection list PDF", QFileInfo(printDialog.pdf).size() / 1e6);
    }
    if (withPhones)
        sharePhones(doc);
    if (inBackground)
        serveWithTheWindowClosed(app, application);
    std::printf("resident memory: %ld kB at start, %ld kB with an empty collection, %ld kB after opening\n", before,
                emptyFootprint, opened);
    std::printf("memory added by opening: %.2f x the file size\n",
                static_cast<double>(opened - emptyFootprint) * 1024.0 / static_cast<double>(fileSize));
    std::filesystem::remove(file);
    return 0;
}
