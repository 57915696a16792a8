// Grabs pictures of every window of the program, running on the sample data:
//   build/bin/make_screenshots DATA_FOLDER OUTPUT_FOLDER
#include "ui/album/NewPictureDlg.h"
#include "ui/album/PhotoAlbumPage.h"
#include "ui/album/PhotoImport.h"
#include "ui/app/AboutDlg.h"
#include "ui/app/CommandIds.h"
#include "ui/app/MainFrame.h"
#include "ui/app/SplashDlg.h"
#include "ui/app/TalvaneApp.h"
#include "ui/document/AlbumFolder.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/editing/NewEntryDlg.h"
#include "ui/editing/TalvaneView.h"
#include "ui/framework/BaseDirectory.h"
#include "ui/framework/UiServices.h"
#include "ui/journal/CareDueDlg.h"
#include "ui/journal/CareEventDlg.h"
#include "ui/journal/GardenWatch.h"
#include "ui/garden/GardenLocationDlg.h"
#include "ui/overview/CollectionListPanel.h"
#include "core/collection/CollectionFile.h"
#include "core/collection/TreeIdentity.h"
#include "core/passport/PassportExport.h"
#include "ui/printing/LabelsDlg.h"
#include "ui/printing/PrintChoiceDlg.h"
#include "ui/printing/PrintProgress.h"
#include "ui/timeline/CompareDlg.h"
#include "ui/timeline/GrowthChart.h"
#include "ui/timeline/PhotoViewer.h"
#include "ui/timeline/TimelineDlg.h"
#include "ui/companion/ShareDlg.h"
#include "ui/timeline/TimelineModel.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableView>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>

#include <cmath>
#include <cstdio>
#include <functional>
#include <thread>

#include <httplib.h>
#include <nlohmann/json.hpp>

using namespace talvane::collection;

namespace {

bool save(QWidget& widget, const QDir& folder, const QString& name);
bool saveDialog(QDialog& dialog, const QDir& folder, const QString& name);

// Nothing modal may wait for an answer while pictures are taken. A question the
// pictures show is drawn as a message box and answered with Cancel.
// The picture of the next dialog asked for, if one is wanted: taken once, then forgotten.
// Once shown, the dialog can be set up as a user would leave it before the picture.
class NextPicture {
public:
    using Setup = std::function<void(QDialog&)>;

    explicit NextPicture(QDir output) : m_output(std::move(output)) {}
    void want(const QString& name, Setup setup = {})
    {
        m_name = name;
        m_setup = std::move(setup);
        m_taken = false;
    }
    bool wanted() const { return !m_name.isEmpty(); }
    bool taken() const { return m_taken; }
    void take(QDialog& dialog)
    {
        if (!wanted())
            return;
        dialog.show();
        if (m_setup)
            m_setup(dialog);
        m_taken = save(dialog, m_output, m_name);
        dialog.hide();
        m_name.clear();
        m_setup = {};
    }

private:
    QDir m_output;
    QString m_name;
    Setup m_setup;
    bool m_taken = false;
};

class SilentPrompter : public Prompter {
public:
    explicit SilentPrompter(QDir output) : m_next(std::move(output)) {}
    NextPicture& nextQuestion() { return m_next; }

    int ask(const QString& text, const QString& caption, unsigned flags) override
    {
        if (!m_next.wanted()) {
            std::fprintf(stderr, "message while taking pictures: %s\n", qPrintable(text));
            return mb::kIdOk;
        }
        const auto buttons = (flags & 0x0F) == mb::kOkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok;
        QMessageBox box(QMessageBox::Question, caption, text, buttons);
        m_next.take(box);
        return mb::kIdCancel;
    }

    int choose(const QString& text, const QString&, const QStringList& buttons) override
    {
        std::fprintf(stderr, "question while taking pictures: %s\n", qPrintable(text));
        return static_cast<int>(buttons.size()) - 1;
    }

private:
    NextPicture m_next;
};

// No file is chosen, but the one the run names for the next Open.
class NoFiles : public FileChooser {
public:
    std::optional<QString> chooseSaveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> chooseOpenFile(const FileRequest&) override { return std::exchange(m_nextOpen, std::nullopt); }
    void openNext(const QString& path) { m_nextOpen = path; }

private:
    std::optional<QString> m_nextOpen;
};

// Dialogs are closed at once; the next one may be pictured first.
class NoDialogs : public DialogRunner {
public:
    explicit NoDialogs(QDir output) : m_next(std::move(output)) {}
    NextPicture& nextDialog() { return m_next; }

    int run(QDialog& dialog) override
    {
        m_next.take(dialog);
        return QDialog::Rejected;
    }

private:
    NextPicture m_next;
};

class NoHelp : public HelpOpener {
public:
    void openPage(const QString&) override {}
};

class NoPrinter : public PrinterChooser {
public:
    bool choosePrinter(QPrinter&, int, int) override { return false; }
    void setUpPage(QPrinter&) override {}
};

bool save(QWidget& widget, const QDir& folder, const QString& name)
{
    QApplication::processEvents();
    const bool saved = widget.grab().save(folder.filePath(name + QStringLiteral(".png")));
    std::printf("%s %s.png\n", saved ? "wrote" : "could not write", qPrintable(name));
    return saved;
}

bool saveDialog(QDialog& dialog, const QDir& folder, const QString& name)
{
    dialog.show();
    const bool saved = save(dialog, folder, name);
    dialog.hide();
    return saved;
}

// Open-Meteo's answer for a garden where the second night from today freezes down to
// -12 °C, after a mild autumn: the pictures show the garden's alerts whatever day they
// are taken.
std::string frostAnswer(talvane::journal::CalendarDate today)
{
    nlohmann::json hourlyTimes = nlohmann::json::array(), hourly = nlohmann::json::array();
    for (int day = 0; day < 7; ++day)
        for (int hour = 0; hour < 24; ++hour) {
            char time[24];
            std::snprintf(time, sizeof time, "%sT%02d:00", today.plusDays(day).text().c_str(), hour);
            hourlyTimes.push_back(time);
            const double frost = day == 2 && hour < 10 ? -12.0 + std::abs(hour - 6) * 1.5 : 0.0;
            hourly.push_back(frost < 0 ? frost : 4.0 + 3.0 * std::sin((hour - 9) * 3.14159 / 12));
        }
    nlohmann::json days = nlohmann::json::array(), lows = nlohmann::json::array(), highs = nlohmann::json::array(),
                   means = nlohmann::json::array();
    for (int day = -92; day < 7; ++day) {
        days.push_back(today.plusDays(day).text());
        const double mean = day < 0 ? 8.0 - day * 0.12 : 4.0;
        lows.push_back(mean - 4);
        highs.push_back(mean + 4);
        means.push_back(mean);
    }
    return nlohmann::json{{"hourly", {{"time", hourlyTimes}, {"temperature_2m", hourly}}},
                          {"daily", {{"time", days}, {"temperature_2m_min", lows}, {"temperature_2m_max", highs},
                                     {"temperature_2m_mean", means}}}}
        .dump();
}

// A forecast server on loopback answering that frost.
class FrostForecast {
public:
    FrostForecast()
    {
        m_server.Get("/v1/forecast", [answer = frostAnswer(talvane::journal::CalendarDate::today())](
                                         const httplib::Request&, httplib::Response& response) {
            response.set_content(answer, "application/json");
        });
        // Bound, the socket already listens: a request made before the thread accepts it waits.
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
    }
    ~FrostForecast()
    {
        m_server.stop();
        m_thread.join();
    }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(m_port); }

private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
};

// The garden placed in Lyon, with the frost read for it.
bool placeTheGarden(GardenWatch& watch, const FrostForecast& forecast)
{
    talvane::garden::GardenLocation location;
    location.latitude = 45.7485;
    location.longitude = 4.8467;
    location.town = "Lyon, Auvergne-Rh\u00F4ne-Alpes, France";
    location.forecastBase = forecast.base();
    if (watch.setLocation(location))
        return false;
    const QDeadlineTimer deadline(20000);
    while (watch.isReading() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return !watch.alerts().empty();
}

bool allThumbnailsShown(const TimelineModel& model)
{
    for (std::size_t photo = 0; photo < model.photos().size(); ++photo) {
        if (model.data(model.index(model.rowOf(photo)), Qt::DecorationRole).value<QImage>().isNull())
            return false;
    }
    return true;
}

// Thumbnails are made on other threads: the timeline is pictured once all have arrived.
bool waitForThumbnails(const TimelineModel& model)
{
    const QDeadlineTimer deadline(30'000);
    while (!allThumbnailsShown(model)) {
        if (deadline.hasExpired()) {
            std::fprintf(stderr, "the timeline's thumbnails did not arrive in time\n");
            return false;
        }
        QApplication::processEvents();
        QThread::msleep(10);
    }
    return true;
}

// The viewer opens with the photo fitted to the window it had before it was shown:
// 0 fits it to the window it has.
void fitPhoto(QDialog& dialog)
{
    static_cast<PhotoViewer&>(dialog).fitToWindow();
}

void showOneOverTheOther(QDialog& dialog)
{
    auto& compare = static_cast<CompareDlg&>(dialog);
    compare.overlayButton()->setChecked(true);
    compare.divideSlider()->setValue(460);
}

// The timeline of the tree on show with its newest photo chosen, that photo full size,
// the comparison side by side and one over the other, and the growth chart.
bool saveTimeline(CTalvaneDoc& doc, UiServices& services, NoDialogs& dialogs, QWidget& frame, const QDir& output)
{
    const auto position = doc.currentPosition();
    if (!position)
        return false;
    TimelineDlg timeline(doc, services, *position, &frame);
    if (timeline.model().photos().empty()) {
        std::fprintf(stderr, "the tree on show has no timeline photos\n");
        return false;
    }
    timeline.show();
    bool ok = waitForThumbnails(timeline.model());
    timeline.selectPhoto(timeline.model().photos().size() - 1);
    ok = save(timeline, output, QStringLiteral("timeline")) && ok;

    dialogs.nextDialog().want(QStringLiteral("photo-viewer"), fitPhoto);
    timeline.onViewPhoto();
    ok = dialogs.nextDialog().taken() && ok;
    dialogs.nextDialog().want(QStringLiteral("compare"));
    timeline.onCompare();
    ok = dialogs.nextDialog().taken() && ok;
    dialogs.nextDialog().want(QStringLiteral("compare-overlay"), showOneOverTheOther);
    timeline.onCompare();
    ok = dialogs.nextDialog().taken() && ok;

    timeline.tabs()->setCurrentWidget(timeline.growthChart());
    ok = save(timeline, output, QStringLiteral("growth-chart")) && ok;
    return ok;
}

// A club's collection, the sample without its larch, takes the larch in from the
// passport Anne made of it; the Journal tab then shows the tree as received. The club
// lives in a folder of its own, which the run then starts from, so that the sample's
// pictures are never touched.
bool savePassportImport(CTalvaneDoc& doc, NoFiles& files, CMainFrame& frame, const QDir& output, const QDir& club)
{
    const std::filesystem::path sample = QFile::encodeName(doc.pathName()).toStdString();
    EntryList clubTrees;
    if (loadCollectionFile(sample, clubTrees)) {
        std::fprintf(stderr, "the sample cannot be read again\n");
        return false;
    }
    const auto larch = std::find_if(clubTrees.begin(), clubTrees.end(), [](const auto& entry) {
        return std::string((*entry)[CBonsaiData::Name]) == "Larch from the Queyras";
    });
    if (larch == clubTrees.end()) {
        std::fprintf(stderr, "the sample has no larch to hand on\n");
        return false;
    }
    talvane::passport::PassportExport handOn;
    handOn.collectionFile = sample;
    const auto folders = doc.pictureFolders();
    handOn.albumFolder = folders.album;
    handOn.photosFolder = folders.photos;
    handOn.giver = "Anne Moreau";
    handOn.target = QFile::encodeName(club.filePath(QStringLiteral("Larch from the Queyras.tvp"))).toStdString();
    const auto exported = talvane::passport::exportPassport(clubTrees, static_cast<std::size_t>(larch - clubTrees.begin()), handOn);
    clubTrees.erase(larch);
    const QString clubFile = club.filePath(QStringLiteral("club.tvn"));
    setBaseDirectory(club.path());
    if (!exported.problem.empty() || saveCollectionFile(QFile::encodeName(clubFile).toStdString(), clubTrees) ||
        !doc.openDocumentFile(clubFile)) {
        std::fprintf(stderr, "the club's collection cannot be made: %s\n", exported.problem.c_str());
        return false;
    }
    files.openNext(QString::fromStdString(handOn.target.string()));
    frame.action(cmd::kFileImportPassport)->trigger();
    frame.view().sheet()->setCurrentIndex(frame.view().sheet()->count() - 1);
    return save(frame, output, QStringLiteral("passport-import"));
}

} // namespace

int main(int argc, char** argv)
{
    // The caller may give the offscreen platform a screen of its own, as tools/screenshots.sh does.
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QStringLiteral("offscreen")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_screenshots DATA_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    // The timeline's thumbnails and the unsaved work go into folders of their own,
    // never the user's: a picture run neither offers nor leaves work to restore.
    QTemporaryDir cache, state, config;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    // Nor do the user's settings: the window opens at its designed size.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    setBaseDirectory(QString::fromLocal8Bit(argv[1]));
    const QDir output(QString::fromLocal8Bit(argv[2]));
    output.mkpath(QStringLiteral("."));

    auto prompter = std::make_unique<SilentPrompter>(output);
    auto dialogs = std::make_unique<NoDialogs>(output);
    auto files = std::make_unique<NoFiles>();
    SilentPrompter& questions = *prompter;
    NoDialogs& dialogRunner = *dialogs;
    NoFiles& fileChooser = *files;
    UiServices services(std::move(prompter), std::move(files), std::move(dialogs),
                        std::make_unique<NoHelp>(), std::make_unique<NoPrinter>());
    CTalvaneApp app(services);
    StartOptions options;
    options.collection = basePath(QStringLiteral("sample.tvn"));
    options.splash = false;
    if (!app.InitInstance(options))
        return 1;

    CMainFrame& frame = *app.mainFrame();
    // The pages are shown alone first, whatever the settings say; the user's choice is put back at the end.
    const bool listWasShown = frame.action(cmd::kViewCollectionList)->isChecked();
    frame.showCollectionList(false);
    QTabWidget* sheet = frame.view().sheet();
    const char* const tabs[] = {"tab-plant", "tab-purchase", "tab-species", "tab-transformation", "tab-maintenance",
                                "tab-album", "tab-journal", "tab-garden"};
    const FrostForecast frost;
    bool ok = placeTheGarden(frame.view().gardenWatch(), frost);
    for (int i = 0; i < sheet->count(); ++i) {
        sheet->setCurrentIndex(i);
        ok = save(frame, output, QString::fromLatin1(tabs[i])) && ok;
    }
    // The larger look at the photo on show.
    dialogRunner.nextDialog().want(QStringLiteral("larger-view"));
    frame.view().albumPage().onPictureView();
    ok = dialogRunner.nextDialog().taken() && ok;
    sheet->setCurrentIndex(0);
    ok = save(frame, output, QStringLiteral("main-window")) && ok;
    ok = saveTimeline(app.document(), services, dialogRunner, frame, output) && ok;

    // The question before a camera photo is copied into the album; it is cancelled,
    // so the album stays as it is.
    QTemporaryDir camera;
    const QString photo = QDir(camera.path()).filePath(QStringLiteral("IMG_2041.jpg"));
    QImage picture(4000, 3000, QImage::Format_RGB32);
    picture.fill(QColor(90, 130, 70));
    picture.save(photo, "JPEG");
    questions.nextQuestion().want(QStringLiteral("import-question"));
    PhotoImport(services.prompter(), albumFolder(app.document())).run(photo);
    ok = questions.nextQuestion().taken() && ok;

    frame.showCollectionList(true);
    frame.collectionList().table()->sortByColumn(0, Qt::AscendingOrder);
    ok = save(frame, output, QStringLiteral("collection-list")) && ok;
    // Enlarged, the window gives its room to the list; the pages keep their size.
    frame.resize(frame.designedSize() + QSize(480, 160));
    ok = save(frame, output, QStringLiteral("window-enlarged")) && ok;
    frame.resize(frame.designedSize());
    frame.showCollectionList(listWasShown);

    CAboutDlg about(&frame);
    ok = saveDialog(about, output, QStringLiteral("about")) && ok;
    CNewEntryDlg newEntry(&frame);
    ok = saveDialog(newEntry, output, QStringLiteral("new-entry")) && ok;
    CNewPictureDlg newPicture(&frame);
    ok = saveDialog(newPicture, output, QStringLiteral("new-picture")) && ok;
    CPrintChoiceDlg printChoice(&frame);
    ok = saveDialog(printChoice, output, QStringLiteral("print-choice")) && ok;
    PrintProgressDialog printProgress(&frame);
    printProgress.pageStarting(12, 240);
    ok = saveDialog(printProgress.dialog(), output, QStringLiteral("print-progress")) && ok;
    CSplashDlg splash(&frame);
    ok = saveDialog(splash, output, QStringLiteral("splash")) && ok;
    CareDueDlg careDue(app.document(), services.prompter(), talvane::journal::CalendarDate::today(), &frame,
                       &frame.view().gardenWatch());
    careDue.spanBox()->setValue(120);
    ok = saveDialog(careDue, output, QStringLiteral("care-due")) && ok;
    GardenLocationDlg gardenLocation(frame.view().gardenWatch(), services.prompter(), &frame);
    ok = saveDialog(gardenLocation, output, QStringLiteral("garden-location")) && ok;
    using namespace talvane::journal;
    const CalendarDate today = CalendarDate::today();
    CareEventDlg feeding(CareEvent{today, CareKind::Feeding, today.plusDays(14), {}, "Liquid feed, half strength", {}, {},
                                   CareRepeat{2, RepeatUnit::Week, MonthSpan{4, 9}}},
                         {}, &frame);
    ok = saveDialog(feeding, output, QStringLiteral("care-event")) && ok;
    std::vector<TreeLabel> labels;
    const auto ids = treeIds(app.document().entries());
    for (std::size_t position = 0; position < app.document().entryCount(); ++position)
        labels.push_back(makeTreeLabel(app.document().entryAt(position), ids[position]));
    LabelsDlg labelSheet({}, labels, &frame);
    labelSheet.startBox()->setValue(4);
    ok = saveDialog(labelSheet, output, QStringLiteral("print-labels")) && ok;
    frame.onFileShareWithPhones();
    if (ShareDlg* share = frame.shareDialog()) {
        ok = save(*share, output, QStringLiteral("share-with-phones")) && ok;
        share->reject();
    }
    QTemporaryDir club;
    ok = savePassportImport(app.document(), fileChooser, frame, output, QDir(club.path())) && ok;
    return ok ? 0 : 1;
}
