#include "ui/app/CommandIds.h"
#include "ui/app/ServingInBackground.h"
#include "core/collection/CollectionFile.h"
#include "core/companion/ServingRecord.h"
#include "ui/companion/ShareAtLogin.h"
#include "ui/companion/PhoneSharing.h"
#include "core/companion/ProgramTokens.h"
#include "ui/companion/ShareDlg.h"
#include "ui/editing/FormPages.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/framework/RecentFileList.h"
#include "ui/framework/Translations.h"
#include "core/journal/Journal.h"
#include "core/journal/JournalFormat.h"
#include "ui/journal/JournalPage.h"
#include "core/companion/CollectionSnapshot.h"
#include "ui/companion/DocumentHost.h"
#include "core/collection/CollectionFile.h"
#include "core/collection/TreeIdentity.h"
#include "core/garden/GardenSettings.h"
#include "ui/journal/GardenWatch.h"

#include "support/core/CompanionRun.h"
#include "support/core/ForecastServer.h"
#include "support/ui/AppFixture.h"
#include "support/ui/FindControl.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

#include <iostream>
#include <regex>
#include <thread>

using namespace talvane::collection;

using namespace talvane::journal;
using talvane::companion::ServedAt;
using talvane::companion::ServingRecord;

namespace {

// A phone as the server sees it: paired once, then showing pages and sending forms.
class Phone {
public:
    Phone(int port, const std::string& token) : m_client("127.0.0.1", port)
    {
        const auto paired = m_client.Get(("/pair/" + token).c_str());
        const std::string cookie = paired ? paired->get_header_value("Set-Cookie") : "";
        m_cookie = cookie.substr(0, cookie.find(';'));
    }
    // The same phone, reaching a sharing started again on that port.
    Phone(const Phone& paired, int port) : m_client("127.0.0.1", port), m_cookie(paired.m_cookie) {}

    int logCare(const std::string& tree, const std::string& kind, const std::string& text)
    {
        return sendForm("/api/trees/" + tree + "/events", {{"kind", kind, "", ""}, {"text", text, "", ""}});
    }

    // Care for every tree of the place, named as a path holds it.
    int logPlaceCare(const std::string& place, const std::string& kind, const std::string& date)
    {
        return sendForm("/api/places/" + place + "/care", {{"kind", kind, "", ""}, {"date", date, "", ""}});
    }

    // What the API answers at that path, or null when it refuses.
    nlohmann::json api(const std::string& path)
    {
        const auto answer = m_client.Get(path.c_str(), {{"Cookie", m_cookie}});
        return answer && answer->status == 200 ? nlohmann::json::parse(answer->body, nullptr, false) : nlohmann::json();
    }

    // The page at that path, or nothing when it is not shown.
    std::string page(const std::string& path)
    {
        const auto shown = m_client.Get(path.c_str(), {{"Cookie", m_cookie}});
        return shown && shown->status == 200 ? shown->body : std::string();
    }

    std::string lastAnswer;

private:
    int sendForm(const std::string& path, const httplib::MultipartFormDataItems& items)
    {
        const auto session = api("/api/session");
        if (!session.is_object())
            return -1;
        const auto sent = m_client.Post(path.c_str(),
                                        {{"Cookie", m_cookie}, {"X-Talvane-Form", session["formToken"].get<std::string>()}},
                                        items);
        lastAnswer = sent ? sent->body : std::string();
        return sent ? sent->status : -1;
    }

    httplib::Client m_client;
    std::string m_cookie;
};

class SharingTest : public AppFixture {
protected:
    std::string journal(std::size_t entry) const { return std::string(doc().entryAt(entry)[kJournalField]); }

    // Shares on this computer only, where the tests' phones are.
    PhoneSharing& share()
    {
        frame().onFileShareWithPhones();
        if (ShareDlg* window = frame().shareDialog())
            window->networkBox()->setCurrentIndex(window->networkBox()->findData(QStringLiteral("127.0.0.1")));
        return *frame().phoneSharing();
    }

    // Runs a phone's requests on a thread of its own while the window's event loop turns.
    int fromPhone(const std::function<int(Phone&)>& requests)
    {
        auto& server = *frame().phoneSharing()->server();
        int status = 0;
        std::atomic<bool> done = false;
        std::thread phone([&, port = server.port(), token = server.sessions().pairingToken()] {
            Phone device(port, token);
            status = requests(device);
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 10000));
        phone.join();
        return status;
    }
};

} // namespace

TEST_F(SharingTest, APhoneAddsAnUndoableStepAndTheEditsOnThePagesSurviveIt)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji", "Pine"}))));
    // Unapplied edits on the shown tree: a price typed on a page, an event on its Journal tab.
    auto* price = findControl<QLineEdit>(&view().purchasePage(), 1009);
    price->setText(QStringLiteral("95"));
    const CareEvent typed{CalendarDate::fromText("2026-05-01").value(), CareKind::Pruning, {}, {}, "typed on the desktop", {}, {}, {}};
    talvane::journal::Journal pages;
    pages.add(typed);
    view().journalPage().m_journalText = pages.text();

    PhoneSharing& sharing = share();
    ASSERT_TRUE(sharing.isSharing());
    ShareDlg& window = *frame().shareDialog();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.addressEdit()->text().contains(QStringLiteral("/pair/")));
    EXPECT_FALSE(window.codeLabel()->pixmap().isNull());

    EXPECT_EQ(fromPhone([](Phone& phone) { return phone.logCare("at0-", "Wiring", "wired"); }), 404);
    const auto firstRef = [&] {
        // The tree is named as the phone's list names it.
        return talvane::companion::treeRefAt(doc().entries(), 0);
    };
    EXPECT_EQ(fromPhone([&](Phone& phone) { return phone.logCare(firstRef(), "Wiring", "wired in the garden"); }), 201);

    EXPECT_EQ(doc().history().undoText(), QStringLiteral("Add event from phone \u201CMomiji\u201D"));
    EXPECT_NE(journal(0).find("wired in the garden"), std::string::npos);
    EXPECT_EQ(journal(0).find("typed on the desktop"), std::string::npos);
    // The window stayed where it was, with both edits, and its Journal tab shows both events.
    EXPECT_EQ(doc().currentPosition(), 0u);
    EXPECT_EQ(price->text(), QStringLiteral("95"));
    EXPECT_EQ(view().journalPage().eventList()->topLevelItemCount(), 2);
    EXPECT_TRUE(view().hasPageEdits());
    const auto statusShows = [&](const QString& text) {
        const auto panes = frame().statusBar()->findChildren<QLabel*>();
        return std::any_of(panes.begin(), panes.end(), [&](QLabel* pane) { return pane->isVisible() && pane->text() == text; });
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return statusShows(QStringLiteral("Shared with 2 phones")); }));
    EXPECT_EQ(window.phoneList()->topLevelItemCount(), 2);

    // Update keeps the desktop's edits and the phone's event; Undo takes them back one by one.
    view().CommitCurrentEntry();
    EXPECT_EQ(std::string(doc().entryAt(0)[CBonsaiData::PricePaid]), "95");
    EXPECT_NE(journal(0).find("typed on the desktop"), std::string::npos);
    EXPECT_NE(journal(0).find("wired in the garden"), std::string::npos);
    doc().history().undo();
    doc().history().undo();
    EXPECT_EQ(journal(0).find("wired in the garden"), std::string::npos);

    // Disconnect ends a phone's session; New code ends the address shown before.
    auto* disconnect = qobject_cast<QPushButton*>(window.phoneList()->itemWidget(window.phoneList()->topLevelItem(0), 3));
    ASSERT_NE(disconnect, nullptr);
    disconnect->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return statusShows(QStringLiteral("Shared with 1 phone")); }));
    EXPECT_EQ(window.phoneList()->topLevelItemCount(), 1);
    const QString address = window.addressEdit()->text();
    window.newCodeButton()->click();
    EXPECT_NE(window.addressEdit()->text(), address);

    window.stopButton()->click();
    EXPECT_FALSE(sharing.isSharing());
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(statusShows(QStringLiteral("Shared with 2 phones")));
}

TEST_F(SharingTest, ClosingTheCollectionAnswersAWaitingPhoneAndChangesNothing)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji"}))));
    PhoneSharing& sharing = share();
    auto& server = *sharing.server();
    const std::string ref = talvane::companion::treeRefAt(doc().entries(), 0);
    const int steps = doc().history().count();

    int status = 0;
    std::thread phone([&, port = server.port(), token = server.sessions().pairingToken()] {
        Phone device(port, token);
        status = device.logCare(ref, "Note", "sent while the window is busy");
    });
    // The window's event loop does not turn: the change waits for it until sharing stops.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    sharing.stop();
    phone.join();
    QCoreApplication::processEvents();
    EXPECT_EQ(status, 503);
    EXPECT_EQ(doc().history().count(), steps);
    EXPECT_EQ(journal(0), "");

    // A collection replaced ends the sharing it had.
    share();
    EXPECT_TRUE(sharing.isSharing());
    doc().OnNewDocument();
    EXPECT_FALSE(sharing.isSharing());
}

TEST_F(SharingTest, QuittingWhileSharingStopsListening)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji"}))));
    auto* server = share().server();
    Phone phone(server->port(), server->sessions().pairingToken());
    ASSERT_FALSE(phone.page("/trees").empty()) << "paired while shared";
    app.reset();
    // Another program may take the freed port at once, but it cannot know the phone.
    EXPECT_TRUE(phone.page("/trees").empty()) << "nothing answers once the window is gone";
}

TEST_F(SharingTest, TheProgramsWithATokenAreListedEachWithRevoke)
{
    const auto collection = makeCollection("trees.tvn", {"Momiji"});
    talvane::companion::ProgramTokens tokens(talvane::companion::ProgramTokens::fileFor(collection));
    const auto dashboard = std::get<std::string>(tokens.make("dashboard"));
    const auto script = std::get<std::string>(tokens.make("script"));
    ASSERT_TRUE(tokens.check(script));
    ASSERT_TRUE(start(q(collection)));
    share();
    QTreeWidget& programs = *frame().shareDialog()->programList();
    EXPECT_TRUE(programs.isVisible());
    ASSERT_EQ(programs.topLevelItemCount(), 2);
    EXPECT_EQ(programs.topLevelItem(0)->text(0), QStringLiteral("dashboard"));
    EXPECT_EQ(programs.topLevelItem(0)->text(2), QStringLiteral("Never"));
    EXPECT_EQ(programs.topLevelItem(1)->text(0), QStringLiteral("script"));
    EXPECT_NE(programs.topLevelItem(1)->text(2), QStringLiteral("Never"));

    auto* revoke = qobject_cast<QPushButton*>(programs.itemWidget(programs.topLevelItem(0), 3));
    ASSERT_NE(revoke, nullptr);
    EXPECT_EQ(revoke->accessibleName(), QStringLiteral("Revoke dashboard"));
    revoke->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return programs.topLevelItemCount() == 1; }));
    EXPECT_EQ(programs.topLevelItem(0)->text(0), QStringLiteral("script"));
    EXPECT_FALSE(tokens.check(dashboard));
    EXPECT_TRUE(tokens.check(script));

    // An untitled collection has no tokens to list.
    doc().OnNewDocument();
    share();
    EXPECT_FALSE(programs.isVisible());
}

TEST_F(SharingTest, APhoneStaysPairedFromOneSharingToTheNextUntilDisconnected)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji"}))));
    PhoneSharing& sharing = share();
    Phone phone(sharing.server()->port(), sharing.server()->sessions().pairingToken());
    ASSERT_FALSE(phone.page("/trees").empty());
    frame().shareDialog()->stopButton()->click();
    ASSERT_FALSE(sharing.isSharing());

    share();
    ShareDlg& window = *frame().shareDialog();
    QTreeWidget& phones = *window.phoneList();
    ASSERT_EQ(phones.topLevelItemCount(), 1);
    EXPECT_EQ(phones.topLevelItem(0)->text(0), QStringLiteral("Browser")) << "named after its browser";
    EXPECT_EQ(sharing.statusText(), QStringLiteral("Shared with 1 phone"));
    Phone back(phone, sharing.server()->port());
    EXPECT_FALSE(back.page("/trees").empty()) << "its cookie still works";

    // The name is edited in place; a name refused is said, and the one kept shown again.
    ASSERT_TRUE(phones.topLevelItem(0)->flags() & Qt::ItemIsEditable);
    phones.topLevelItem(0)->setText(0, QStringLiteral("Garden phone"));
    EXPECT_EQ(sharing.server()->sessions().phones().at(0).name, "Garden phone");
    ui.prompter.expect(mb::kIdOk);
    phones.topLevelItem(0)->setText(0, QStringLiteral(" "));
    ASSERT_FALSE(ui.prompter.calls().empty());
    EXPECT_EQ(ui.prompter.calls().back().text, QStringLiteral("The phone could not be renamed:\nA phone's name cannot be empty."));
    EXPECT_TRUE(QTest::qWaitFor([&] { return phones.topLevelItem(0)->text(0) == QStringLiteral("Garden phone"); }));

    auto* disconnect = qobject_cast<QPushButton*>(phones.itemWidget(phones.topLevelItem(0), 3));
    ASSERT_NE(disconnect, nullptr);
    EXPECT_EQ(disconnect->accessibleName(), QStringLiteral("Disconnect Garden phone"));
    disconnect->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return phones.topLevelItemCount() == 0; }));
    EXPECT_TRUE(back.page("/trees").empty()) << "unpaired";
    window.stopButton()->click();
    share();
    EXPECT_EQ(phones.topLevelItemCount(), 0) << "and unpaired for good";
}

// The addresses the system lists as listening on the port: "127.0.0.1", "0.0.0.0"…
QStringList listeningOn(int port)
{
    QProcess ss;
    ss.start(QStringLiteral("ss"), {QStringLiteral("-ltnH")});
    if (!ss.waitForFinished(10000) || ss.exitCode() != 0) {
        ADD_FAILURE() << "ss (iproute2) did not list the listening sockets";
        return {};
    }
    QStringList addresses;
    const QString suffix = QStringLiteral(":%1").arg(port);
    for (const QString& line : QString::fromLocal8Bit(ss.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
        const QStringList columns = line.split(' ', Qt::SkipEmptyParts);
        if (columns.size() > 3 && columns[3].endsWith(suffix))
            addresses << columns[3].chopped(suffix.size());
    }
    return addresses;
}

TEST_F(SharingTest, SharingListensOnTheChosenNetworkAloneAndMovesWithThePhonesPaired)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji"}))));
    frame().onFileShareWithPhones();
    PhoneSharing& sharing = *frame().phoneSharing();
    ShareDlg& window = *frame().shareDialog();
    QComboBox& networks = *window.networkBox();
    const int port = sharing.server()->port();
    const auto machine = talvane::companion::localNetworkAddresses();
    const QString home = machine.empty() ? QStringLiteral("127.0.0.1") : QString::fromStdString(machine.front().address);
    // The likeliest home network by default, or this computer when it has none.
    EXPECT_EQ(listeningOn(port), QStringList{home});
    EXPECT_EQ(networks.currentIndex(), 0);
    ASSERT_EQ(networks.itemText(networks.count() - 1), QStringLiteral("Every network"));

    networks.setCurrentIndex(networks.findText(QStringLiteral("This computer only (127.0.0.1)")));
    EXPECT_EQ(listeningOn(port), QStringList{QStringLiteral("127.0.0.1")});
    const std::string token = sharing.server()->sessions().pairingToken();
    EXPECT_EQ(window.addressEdit()->text(), QStringLiteral("http://127.0.0.1:%1/pair/%2").arg(port).arg(QString::fromStdString(token)));
    Phone phone(port, token);
    ASSERT_FALSE(phone.page("/trees").empty());

    networks.setCurrentIndex(networks.count() - 1);
    EXPECT_EQ(listeningOn(port), QStringList{QStringLiteral("0.0.0.0")});
    EXPECT_EQ(window.addressEdit()->text(), QStringLiteral("http://%1:%2/pair/%3").arg(home).arg(port).arg(QString::fromStdString(token)));
    EXPECT_EQ(sharing.server()->sessions().phones().size(), 1u);
    EXPECT_FALSE(phone.page("/trees").empty()) << "the phone stays paired";

    // An address that is not this machine's: said, and sharing stays where it was.
    networks.addItem(QStringLiteral("elsewhere"), QStringLiteral("203.0.113.7"));
    ui.prompter.expect(mb::kIdOk);
    networks.setCurrentIndex(networks.count() - 1);
    ASSERT_FALSE(ui.prompter.calls().empty());
    EXPECT_TRUE(ui.prompter.calls().back().text.startsWith(QStringLiteral("Sharing could not move to elsewhere:\n")));
    EXPECT_TRUE(ui.prompter.calls().back().text.contains(QStringLiteral("203.0.113.7")));
    EXPECT_EQ(networks.currentIndex(), networks.count() - 2);
    EXPECT_EQ(listeningOn(port), QStringList{QStringLiteral("0.0.0.0")});
    EXPECT_FALSE(phone.page("/trees").empty());
}

TEST_F(SharingTest, AWindowThatHoldsTheCollectionReadOnlyRefusesThePhonesChanges)
{
    const auto path = makeCollection("trees.tvn", {"Momiji"});
    RecentFileList holderRecent;
    CTalvaneDoc holder(ui.services(), holderRecent);
    ASSERT_TRUE(holder.openDocumentFile(q(path)));
    ui.prompter.expect(mb::kIdYes);
    ASSERT_TRUE(start(q(path)));
    ASSERT_TRUE(doc().isReadOnly());
    share();
    const std::string ref = talvane::companion::treeRefAt(doc().entries(), 0);
    const int steps = doc().history().count();
    std::string answer;
    EXPECT_EQ(fromPhone([&](Phone& phone) {
                  const int status = phone.logCare(ref, "Note", "from the garden");
                  answer = phone.lastAnswer;
                  return status;
              }),
              409);
    EXPECT_EQ(nlohmann::json::parse(answer, nullptr, false)["error"],
              "The collection is open read-only on the computer; close the other window first");
    EXPECT_EQ(journal(0), "");
    EXPECT_EQ(doc().history().count(), steps);
    EXPECT_FALSE(doc().IsModified());
}

// The window's garden watch tells the phones its alerts, and care for a place from the
// phone is one step of the history.
TEST_F(SharingTest, ThePhoneSeesTheWindowsAlertsAndCareForAPlaceIsOneStep)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji", "Juniper", "Ficus"}, [](CBonsaiData& tree, std::size_t i) {
        tree[kPlaceField] = i < 2 ? "Bench 1\topen-air\t0" : "Sitting room\tindoors\t0";
        tree[kWatchField] = "low=-3;high=35";
    }))));
    GardenWatch& watch = view().gardenWatch();
    // Noon of the first day of the recorded frost.
    watch.setClock([] { return std::chrono::system_clock::from_time_t(localSeconds(12, 0, 0, 10)); });
    share();
    ForecastServer forecasts(recordedForecast("frost-night.json"));
    ASSERT_EQ(watch.setLocation(talvane::garden::GardenLocation{45.76, 4.84, "Lyon", forecasts.base()}), std::nullopt);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watch.isReading(); }, 20000));
    const int steps = doc().history().count();

    nlohmann::json before;
    nlohmann::json after;
    std::string cared;
    EXPECT_EQ(fromPhone([&](Phone& phone) {
                  before = phone.api("/api/alerts");
                  const int status = phone.logPlaceCare("Bench%201", "Protection", "2026-12-10");
                  cared = phone.lastAnswer;
                  // The watch counts again once the window's event loop turns.
                  for (int look = 0; look < 500 && !(after = phone.api("/api/alerts"))["groups"].empty(); ++look)
                      std::this_thread::sleep_for(std::chrono::milliseconds(10));
                  return status;
              }),
              201)
        << cared;
    ASSERT_EQ(before["groups"].size(), 1u) << before;
    EXPECT_EQ(before["groups"][0]["text"], "Frost \u22126 \u00B0C on Friday night: 2 trees below their limit on Bench 1 "
                                           "(Momiji \u22123 \u00B0C, Juniper \u22123 \u00B0C)");
    EXPECT_EQ(before["forecastAge"], nullptr);
    EXPECT_TRUE(after["groups"].empty()) << "both trees protected: " << after;
    const auto answer = nlohmann::json::parse(cared, nullptr, false);
    EXPECT_EQ(answer["text"], "Protection logged on 2 trees");
    EXPECT_EQ(answer["saved"], false);

    EXPECT_EQ(doc().history().count(), steps + 1);
    EXPECT_EQ(doc().history().undoText(), QStringLiteral("Log Protection on 2 trees"));
    for (std::size_t tree : {0u, 1u})
        EXPECT_NE(journal(tree).find("\tProtection\t"), std::string::npos) << tree;
    EXPECT_EQ(journal(2), "");
    doc().history().undo();
    EXPECT_EQ(journal(0), "");
    EXPECT_EQ(journal(1), "");
}

class FrenchSharingTest : public SharingTest {
protected:
    const InstalledLanguage french{QString::fromLatin1(Translations::kFrench)};
};

TEST_F(FrenchSharingTest, ThePhonePagesSpeakTheWindowsLanguage)
{
    const CalendarDate today = CalendarDate::today();
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji"}, [&](CBonsaiData& entry, std::size_t) {
        talvane::journal::Journal journal;
        journal.add({today.plusDays(-30), CareKind::Wiring, today.plusDays(3), {}, "apex", {}, {},
                     CareRepeat{2, RepeatUnit::Week, MonthSpan{4, 9}}});
        entry[kJournalField] = journal.text();
    }))));
    share();
    const std::string tree = "/tree/" + talvane::companion::treeRefAt(doc().entries(), 0);
    nlohmann::json words, trees, shown;
    EXPECT_EQ(fromPhone([&](Phone& phone) {
                  words = phone.api("/api/words");
                  trees = phone.api("/api/trees");
                  shown = phone.api("/api/trees/" + tree.substr(6));
                  return phone.logCare(tree.substr(6), "Wire removal", "fil retir\u00E9");
              }),
              201)
        << "the form sends the English kind whatever the page shows";

    EXPECT_EQ(words["language"], "fr");
    EXPECT_EQ(words["texts"]["Trees"], "Arbres");
    EXPECT_EQ(words["texts"]["%1 due"], "%1 \u00E0 faire");
    EXPECT_EQ(trees["summary"], "1 sur 1 arbre");
    // The kinds of care and the months are said as the window says them.
    ASSERT_EQ(shown["events"].size(), 1u) << shown.dump();
    EXPECT_EQ(shown["events"][0]["kindLabel"], "Ligature");
    EXPECT_EQ(shown["events"][0]["repeat"], "toutes les 2 semaines, avril \u00E0 septembre");
    const auto& kinds = words["kinds"];
    EXPECT_NE(std::find(kinds.begin(), kinds.end(), nlohmann::json{{"kind", "Wire removal"}, {"label", "Retrait de la ligature"}}),
              kinds.end());
    EXPECT_NE(journal(0).find("fil retir"), std::string::npos);
}

TEST_F(SharingTest, SharingGoesOnWhenTheShareWindowClosesUntilStopSharing)
{
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji"}))));
    PhoneSharing& sharing = share();
    ShareDlg& window = *frame().shareDialog();
    const QString address = window.addressEdit()->text();
    window.reject();
    EXPECT_FALSE(window.isVisible());
    ASSERT_TRUE(sharing.isSharing()) << "closed by Escape or its Close button";
    Phone phone(sharing.server()->port(), sharing.server()->sessions().pairingToken());
    EXPECT_FALSE(phone.page("/trees").empty());

    share();
    EXPECT_EQ(window.addressEdit()->text(), address) << "shown again as it was";
    window.stopButton()->click();
    EXPECT_FALSE(sharing.isSharing());
    EXPECT_TRUE(phone.page("/trees").empty());
}

TEST_F(SharingTest, ClosedWhileSharingTheProgramServesInTheBackgroundUntilASecondStartAsksForTheWindow)
{
    const auto collection = makeCollection("trees.tvn", {"Momiji"}, [](CBonsaiData& tree, std::size_t) {
        tree[kTreeIdField] = newTreeId();
    });
    ASSERT_TRUE(start(q(collection)));
    PhoneSharing& sharing = share();
    const int port = sharing.server()->port();
    Phone phone(port, sharing.server()->sessions().pairingToken());
    const std::string tree = talvane::companion::treeRefAt(doc().entries(), 0);

    ui.prompter.expect(2);
    frame().close();
    EXPECT_TRUE(frame().isVisible()) << "Cancel keeps the window";
    ASSERT_FALSE(ui.prompter.calls().empty());
    EXPECT_TRUE(ui.prompter.calls().back().text.startsWith(QStringLiteral("Phones are sharing trees.tvn. Keep serving them")));
    ui.prompter.expect(0);
    frame().close();
    EXPECT_FALSE(frame().isVisible());
    EXPECT_EQ(sharing.servedWithoutWindow(), q(collection));
    EXPECT_TRUE(doc().pathName().isEmpty()) << "the window let the file go";

    // With the window closed, a change is written to the file at once.
    EXPECT_EQ(phone.logCare(tree, "Feeding", "fed while away"), 201) << phone.lastAnswer;
    EntryList onDisk;
    ASSERT_FALSE(loadCollectionFile(collection, onDisk));
    EXPECT_NE(std::string((*onDisk[0])[kJournalField]).find("fed while away"), std::string::npos);

    // A second start for another collection is a program of its own; for this one, or
    // for none, it brings the window back.
    const auto secondStart = [&](const QString& asked) {
        std::atomic<int> shown = -1;
        std::thread start([&] { shown = ServingInBackground::showRunningProgram(ServingInBackground::defaultSocketPath(), asked); });
        EXPECT_TRUE(QTest::qWaitFor([&] { return shown.load() >= 0; }));
        start.join();
        return shown.load() == 1;
    };
    EXPECT_FALSE(secondStart(q(dir / "other.tvn")));
    EXPECT_FALSE(frame().isVisible());
    EXPECT_TRUE(secondStart(q(collection)));
    EXPECT_TRUE(frame().isVisible());
    EXPECT_EQ(doc().pathName(), q(collection));
    EXPECT_NE(journal(0).find("fed while away"), std::string::npos);
    ASSERT_TRUE(sharing.isSharing());
    EXPECT_EQ(sharing.server()->port(), port) << "at the address the phone knows";
    EXPECT_FALSE(phone.page("/trees").empty()) << "and still paired";
    EXPECT_TRUE(sharing.servedWithoutWindow().isEmpty());

    // Closing with Stop sharing ends it.
    ui.prompter.expect(1);
    frame().close();
    EXPECT_FALSE(sharing.isSharing());
    EXPECT_TRUE(sharing.servedWithoutWindow().isEmpty());
}

TEST_F(SharingTest, ShareAtLoginStartsTheProgramServingInTheBackground)
{
    const auto collection = makeCollection("my trees.tvn", {"Momiji"});
    ASSERT_TRUE(start(q(collection)));
    share();
    QCheckBox& atLogin = *frame().shareDialog()->shareAtLoginBox();
    EXPECT_TRUE(atLogin.isVisible());
    atLogin.setChecked(true);
    const ShareAtLogin entry(q(collection));
    ASSERT_TRUE(entry.isOn());
    const QDir autostart(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart"));
    const QStringList entries = autostart.entryList({QStringLiteral("talvane-share-*.desktop")});
    ASSERT_EQ(entries.size(), 1);
    QFile written(autostart.filePath(entries[0]));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(written.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral(" --background 127.0.0.1 \"%1\"\n").arg(q(collection)))) << text.toStdString();
    atLogin.setChecked(false);
    EXPECT_FALSE(entry.isOn());
    EXPECT_FALSE(written.exists());

    // What the entry starts: no window, the collection served.
    app.reset();
    startOptions.serveInBackgroundOn = QStringLiteral("127.0.0.1");
    ASSERT_TRUE(start(q(collection)));
    EXPECT_FALSE(frame().isVisible());
    EXPECT_EQ(frame().phoneSharing()->servedWithoutWindow(), q(collection));
}

// talvane-cli serve running on a collection, and a phone paired with it.
class ServedWithoutWindow {
public:
    ServedWithoutWindow(const TempDir& dir, const std::string& file) : m_serve(dir, "serve '" + file + "' --bind 127.0.0.1")
    {
        const auto record = ServingRecord::fileFor(dir / file);
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!(served = ServingRecord::read(record)) && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const CompanionRun paired = runCompanion(dir, "pair '" + file + "'");
        std::smatch code;
        if (std::regex_search(paired.out, code, std::regex("/pair/([0-9a-f]{32})")))
            token = code[1].str();
    }
    CompanionRun stop() { return m_serve.stop(); }

    std::optional<ServedAt> served;
    std::string token;

private:
    RunningCompanion m_serve;
};

TEST_F(SharingTest, AServerWithoutAWindowHandsTheCollectionOverAndTakesItBackLosingNoChange)
{
    const auto collection = makeCollection("trees.tvn", {"Momiji"}, [](CBonsaiData& tree, std::size_t) {
        tree[kTreeIdField] = newTreeId();
    });
    ServedWithoutWindow serve(dir, "trees.tvn");
    ASSERT_TRUE(serve.served && !serve.token.empty());
    const int port = serve.served->port;
    EntryList entries;
    ASSERT_FALSE(loadCollectionFile(collection, entries));
    const std::string tree = talvane::companion::treeRefAt(entries, 0);

    // The phone sends one change after another all along, each again until it is taken.
    std::atomic<bool> stopSending = false;
    std::atomic<int> taken = 0;
    std::atomic<long long> longestPauseMs = 0;
    std::thread sender([&] {
        Phone phone(port, serve.token);
        auto lastTaken = std::chrono::steady_clock::now();
        for (int change = 0; !stopSending; ++change) {
            while (!stopSending && phone.logCare(tree, "Feeding", "change " + std::to_string(change) + " sent") != 201)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            const auto now = std::chrono::steady_clock::now();
            longestPauseMs = std::max<long long>(longestPauseMs, std::chrono::duration_cast<std::chrono::milliseconds>(now - lastTaken).count());
            lastTaken = now;
            if (!stopSending)
                taken = change + 1;
        }
    });
    const auto waitForMore = [&](int more) {
        const int from = taken;
        EXPECT_TRUE(QTest::qWaitFor([&] { return taken >= from + more; }, 20000)) << "stuck at " << taken;
    };
    waitForMore(3);

    // The window opening the collection is handed it, with the phone, at the same address.
    ASSERT_TRUE(start(q(collection)));
    EXPECT_FALSE(doc().isReadOnly());
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame().phoneSharing()->isSharing(); }));
    EXPECT_EQ(frame().phoneSharing()->server()->port(), port);
    EXPECT_TRUE(frame().phoneSharing()->isOnLoan());
    waitForMore(3);

    // Closed, it asks only to save, and the server takes the collection back.
    ui.prompter.expect(mb::kIdYes);
    frame().close();
    app.reset();
    waitForMore(3);
    stopSending = true;
    sender.join();
    const CompanionRun served = serve.stop();
    EXPECT_NE(served.err.find("handed the collection to a window"), std::string::npos) << served.err;
    EXPECT_NE(served.err.find("took the collection back from the window"), std::string::npos) << served.err;

    EntryList written;
    ASSERT_FALSE(loadCollectionFile(collection, written));
    const std::string journal((*written[0])[kJournalField]);
    for (int change = 0; change < taken; ++change) {
        const std::string text = "change " + std::to_string(change) + " sent";
        const auto first = journal.find(text);
        EXPECT_NE(first, std::string::npos) << text << " is lost";
        EXPECT_EQ(journal.find(text, first + 1), std::string::npos) << text << " is kept twice";
    }
    RecordProperty("longestPauseMs", static_cast<int>(longestPauseMs));
    std::cout << "the phone's longest pause over two hand-overs: " << longestPauseMs << " ms\n";
}
