#include "core/garden/GardenSettings.h"
#include "core/garden/TreeLimits.h"
#include "core/journal/Journal.h"
#include "ui/garden/GardenLocationDlg.h"
#include "ui/garden/GardenPage.h"
#include "ui/journal/CareDueDlg.h"
#include "ui/journal/GardenWatch.h"

#include "support/core/ForecastServer.h"
#include "support/ui/AppFixture.h"
#include "support/ui/KeyboardReach.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include <ctime>

using namespace talvane::garden;
using namespace talvane::journal;

namespace {

// Noon of 2026-12-10 here: the first day of the recorded frost.
std::chrono::system_clock::time_point noonOfTheFrostAnswer()
{
    std::tm noon{};
    noon.tm_year = 2026 - 1900;
    noon.tm_mon = 11;
    noon.tm_mday = 10;
    noon.tm_hour = 12;
    noon.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&noon));
}

bool readingEnds(const GardenWatch& watch)
{
    return QTest::qWaitFor([&watch] { return !watch.isReading(); }, 20000);
}

class GardenTest : public AppFixture {
protected:
    // Momiji in the open on Bench 1, Juniper in the cold frame: both take -3 °C.
    void startOnTheBenches()
    {
        const auto collection = makeCollection("trees.tvn", {"Momiji", "Juniper"}, [](CBonsaiData& tree, std::size_t i) {
            tree[kPlaceField] = i == 0 ? "Bench 1\topen-air\t0" : "Cold frame\tsheltered\t4";
            tree[kWatchField] = "low=-3;high=35";
        });
        ASSERT_TRUE(start(q(collection)));
        watch().setClock([this] { return now; });
    }
    GardenWatch& watch() const { return view().gardenWatch(); }
    void placeGardenAt(const ForecastServer& server)
    {
        GardenLocation location;
        location.latitude = 45.76;
        location.longitude = 4.84;
        location.forecastBase = server.base();
        EXPECT_EQ(watch().setLocation(location), std::nullopt);
        ASSERT_TRUE(readingEnds(watch()));
    }

    std::chrono::system_clock::time_point now = noonOfTheFrostAnswer();
};

} // namespace

TEST_F(GardenTest, TheGardenTabPlacesATreeAndChangesAPlaceForEveryTreeStandingThere)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji", "Juniper", "Ficus"}))));
    GardenPage& page = view().gardenPage();
    for (int tree : {0, 1}) {
        chooseEntry(tree);
        page.placeBox()->setEditText(QStringLiteral("Bench 1"));
        page.onPlaceChosen();
    }
    EXPECT_EQ(doc().history().undoText(), QStringLiteral("Place \u201CJuniper\u201D"));
    EXPECT_EQ(std::string(doc().entryAt(0)[kPlaceField]), "Bench 1\topen-air\t0");
    // The places are listed once the tab is in front.
    EXPECT_EQ(page.placeBox()->count(), 0);
    frame().show();
    view().sheet()->setCurrentWidget(&page);
    EXPECT_EQ(page.placeBox()->count(), 1);
    EXPECT_EQ(page.placeBox()->currentText(), QStringLiteral("Bench 1"));

    page.kindBox()->setCurrentIndex(page.kindBox()->findData(static_cast<int>(PlaceKind::Sheltered)));
    page.onKindChosen();
    EXPECT_EQ(doc().history().undoText(), QStringLiteral("Change place \u201CBench 1\u201D"));
    for (std::size_t tree : {0u, 1u})
        EXPECT_EQ(std::string(doc().entryAt(tree)[kPlaceField]), "Bench 1\tsheltered\t4") << tree;
    EXPECT_EQ(page.shelterBox()->value(), 4);
    EXPECT_EQ(std::string(doc().entryAt(2)[kPlaceField]), "");
    doc().onEditUndo();
    for (std::size_t tree : {0u, 1u})
        EXPECT_EQ(std::string(doc().entryAt(tree)[kPlaceField]), "Bench 1\topen-air\t0") << tree;

    // A limit is the tree's own where it differs from its species'.
    chooseEntry(1);
    const TemperatureLimits species = speciesNeeds(doc().entryAt(1)).limits;
    EXPECT_EQ(page.lowestBox()->value(), species.lowest);
    page.lowestBox()->setValue(species.lowest - 2);
    TreeWatch kept = readTreeWatch(doc().entryAt(1)[kWatchField]);
    EXPECT_EQ(kept.lowest, species.lowest - 2);
    EXPECT_EQ(kept.highest, std::nullopt);
    EXPECT_EQ(doc().history().undoText(), QStringLiteral("Set limits \u201CJuniper\u201D"));
    page.lowestBox()->setValue(species.lowest);
    EXPECT_EQ(std::string(doc().entryAt(1)[kWatchField]), "");
}

TEST_F(GardenTest, PlacesAndLimitsThisVersionCannotReadAreKeptByteForByteThroughTheTabsAndUpdate)
{
    const char* places[] = {"Bench 1\tgreenhouse-of-glass\t4", "Shelf\tindoors\tlots", "\t\t", "Bench 2"};
    const char* watches[] = {"low=cold;high=35", "ripeness=3;low=-4", "", "wirechecked=2027-02-30"};
    const auto path = makeCollection("odd.tvn", {"A", "B", "C", "D"}, [&](CBonsaiData& tree, std::size_t i) {
        tree[kPlaceField] = places[i];
        tree[kWatchField] = watches[i];
    });
    const std::string before = readFileBytes(path);
    ASSERT_TRUE(start(q(path)));
    for (int tree = 0; tree < 4; ++tree) {
        chooseEntry(tree);
        view().sheet()->setCurrentWidget(&view().gardenPage());
        view().OnEntryUpdate();
    }
    EXPECT_EQ(doc().history().count(), 0) << "showing and updating a tree changes none of its garden fields";
    EXPECT_TRUE(doc().OnFileSave());
    EXPECT_EQ(readFileBytes(path), before);
}

TEST_F(GardenTest, AFrostIsAnnouncedOncePerSpellForTheExposedTreeAndProtectingItInCareDueEndsIt)
{
    startOnTheBenches();
    ForecastServer server(recordedForecast("frost-night.json"));
    QSignalSpy announced(&watch(), &GardenWatch::announced);
    placeGardenAt(server);

    ASSERT_EQ(watch().alerts().size(), 1u);
    const GardenAlert& frost = watch().alerts().front();
    EXPECT_EQ(frost.kind, AlertKind::Frost);
    EXPECT_EQ(frost.entry, 0u);
    EXPECT_EQ(frost.date.text(), "2026-12-11");
    const QString said = QStringLiteral("Frost \u22126 \u00B0C on Friday night: 1 tree below its limit on Bench 1 (Momiji \u22123 \u00B0C)");
    EXPECT_EQ(frame().gardenPane()->text(), said);
    ASSERT_EQ(announced.count(), 1);
    EXPECT_EQ(announced.front().front().toString(), said);

    // Within three hours the kept answer serves, and the spell is not told again.
    now += std::chrono::hours(2);
    watch().refresh();
    ASSERT_TRUE(readingEnds(watch()));
    EXPECT_EQ(server.forecastsAsked(), 1);
    EXPECT_EQ(announced.count(), 1);

    CareDueDlg careDue(doc(), ui.prompter, watch().today(), &frame(), &watch());
    EXPECT_EQ(careDue.alertsLine()->text(), said);
    ASSERT_GE(careDue.taskList()->topLevelItemCount(), 1);
    EXPECT_EQ(careDue.taskList()->topLevelItem(0)->text(2), QStringLiteral("Momiji: Protect from frost"));
    EXPECT_FALSE(careDue.snoozeButton()->isEnabled());
    careDue.markDoneButton()->click();
    const auto events = Journal::read(doc().entryAt(0)[kJournalField]).newestFirst();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events.front().event.kind, CareKind::Protection);
    EXPECT_EQ(events.front().event.text, "Protect from frost");
    EXPECT_TRUE(QTest::qWaitFor([this] { return watch().alerts().empty(); }, 5000));
    EXPECT_FALSE(careDue.alertsLine()->isVisible());
    EXPECT_TRUE(frame().gardenPane()->text().isEmpty());
}

TEST_F(GardenTest, OfflineTheKeptForecastServesWithItsAgeAndAMalformedAnswerHarmsNothing)
{
    startOnTheBenches();
    ForecastServer server(recordedForecast("frost-night.json"));
    placeGardenAt(server);
    ASSERT_EQ(watch().alerts().size(), 1u);

    QSignalSpy notices(&watch(), &GardenWatch::notice);
    server.answerWith(recordedForecast("malformed.json"));
    now += std::chrono::hours(4);
    watch().refresh();
    ASSERT_TRUE(readingEnds(watch()));
    ASSERT_EQ(notices.count(), 1);
    EXPECT_TRUE(notices.front().front().toString().endsWith(QStringLiteral("Forecast of 4 hours ago")))
        << notices.front().front().toString().toStdString();
    EXPECT_EQ(watch().alerts().size(), 1u);

    server.stop();
    now += std::chrono::hours(24);
    watch().refresh();
    ASSERT_TRUE(readingEnds(watch()));
    EXPECT_EQ(notices.count(), 2);
    EXPECT_TRUE(frame().gardenPane()->text().endsWith(QStringLiteral("Forecast of 28 hours ago")))
        << frame().gardenPane()->text().toStdString();
}

TEST_F(GardenTest, TheLocationIsLookedUpByTownAndKeptBesideTheCollectionsPath)
{
    startOnTheBenches();
    ForecastServer server(recordedForecast("frost-night.json"));
    server.answerSearchWith(R"({"results":[{"name":"Lyon","latitude":45.74846,"longitude":4.84671,)"
                            R"("admin1":"Auvergne-Rhône-Alpes","country":"France"}]})");
    GardenLocationDlg dialog(watch(), ui.prompter, &frame());
    dialog.show();
    EXPECT_EQ(keyboardFaults(dialog), QStringList());
    EXPECT_FALSE(dialog.forgetButton()->isEnabled());
    dialog.serverEdit()->setText(QString::fromStdString(server.base()));
    dialog.townEdit()->setText(QStringLiteral("Lyon"));
    dialog.onLookUp();
    ASSERT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.isLookingUp(); }, 20000));
    ASSERT_EQ(dialog.townList()->count(), 1);
    EXPECT_EQ(dialog.townList()->item(0)->text(), QStringLiteral("Lyon, Auvergne-Rhône-Alpes, France"));
    EXPECT_DOUBLE_EQ(dialog.latitudeBox()->value(), 45.7485);
    dialog.accept();
    ASSERT_TRUE(readingEnds(watch()));

    const auto kept = readGardenLocation(gardenLocationFile(dir / "trees.tvn")).location;
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->town, "Lyon, Auvergne-Rhône-Alpes, France");
    EXPECT_EQ(kept->forecastBase, server.base());
    EXPECT_EQ(server.forecastsAsked(), 1);
    EXPECT_EQ(watch().alerts().size(), 1u);
}

TEST_F(GardenTest, AlertsCountedOnTheirOwnThreadFollowTheTreesAsTheyAreWhenTheCountEnds)
{
    startOnTheBenches();
    watch().setCountAloneFrom(1);
    ForecastServer server(recordedForecast("frost-night.json"));
    QSignalSpy announced(&watch(), &GardenWatch::announced);
    placeGardenAt(server);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !watch().isCounting(); }, 20000));
    ASSERT_EQ(watch().alerts().size(), 1u);
    EXPECT_EQ(watch().alerts().front().entry, 0u);
    EXPECT_EQ(announced.count(), 1) << "the spells of a new forecast are told once counted";

    // Momiji goes into the cold frame and Juniper out, while a count may still run.
    doc().changeFields(0, {{kPlaceField, "Cold frame\tsheltered\t4"}}, QStringLiteral("Move"));
    watch().recount();
    doc().changeFields(1, {{kPlaceField, "Bench 1\topen-air\t0"}}, QStringLiteral("Move"));
    watch().recount();
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return !watch().isCounting() && watch().alerts().size() == 1 && watch().alerts().front().entry == 1; },
        20000));
}
