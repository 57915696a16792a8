#include "core/collection/CollectionFile.h"
#include "ui/journal/CareDueDlg.h"
#include "ui/journal/CareDueNotice.h"
#include "ui/journal/DayWatch.h"
#include "ui/journal/DesktopNotifier.h"

#include "support/core/JournalTestTrees.h"
#include "support/ui/AppFixture.h"
#include "support/ui/PrivateBus.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace talvane::collection;

using namespace talvane::journal;

namespace {

const CalendarDate kToday = CalendarDate::today();

class CareNotificationTest : public AppFixture {
protected:
    // A collection of trees with these journals, in this order.
    QString collection(const std::vector<std::pair<std::string, std::vector<CareEvent>>>& trees)
    {
        EntryList entries;
        for (const auto& [name, events] : trees)
            addTree(entries, name, events);
        EXPECT_FALSE(saveCollectionFile(dir / "trees.tvn", entries));
        return q(dir / "trees.tvn");
    }

    PrivateBus bus;
};

} // namespace

TEST(CareDueNotice, NamesTwoTasksDueByTodayAndCountsTheRest)
{
    EntryList entries;
    addTree(entries, "Momiji", {dueIn(-3, "remove wire\r\nthen feed", CareKind::WireRemoval), dueIn(1, "tomorrow")});
    addTree(entries, "Pine", {dueIn(0, "", CareKind::WireRemoval)});
    addTree(entries, "\xC9rable \x80", {dueIn(-1, "  \n", CareKind::Repotting)});
    EXPECT_EQ(makeCareDueNotice(entries, kToday.plusDays(-4)), std::nullopt) << "nothing due yet";

    const auto three = makeCareDueNotice(entries, kToday);
    ASSERT_TRUE(three);
    EXPECT_EQ(three->taskCount, 3u);
    EXPECT_EQ(three->summary, QStringLiteral("3 care tasks due"));
    EXPECT_EQ(three->body, QStringLiteral("Momiji: remove wire; \u00C9rable \u20AC: repotting; 1 more task"))
        << "earliest first, each its text's first line or its kind";

    const auto four = makeCareDueNotice(entries, kToday.plusDays(1), QStringLiteral("garden"));
    ASSERT_TRUE(four);
    EXPECT_EQ(four->summary, QStringLiteral("4 care tasks due in garden"));
    EXPECT_TRUE(four->body.endsWith(QStringLiteral("; 2 more tasks"))) << four->body.toStdString();

    EntryList one;
    addTree(one, "", {dueIn(0, "water")});
    EXPECT_EQ(makeCareDueNotice(one, kToday)->summary, QStringLiteral("1 care task due"));
    EXPECT_EQ(makeCareDueNotice(one, kToday)->body, QStringLiteral("water")) << "a tree without a name";
    EXPECT_EQ(careTasksDueText(0), QStringLiteral("no care task due"));
}

TEST(DayWatch, TellsOfEachNewDayAndLooksAtTheClockAtLeastHourly)
{
    QDateTime now(QDate(2026, 5, 10), QTime(12, 0));
    EXPECT_EQ(DayWatch(nullptr, [&now] { return now; }).nextLookIn(), 60 * 60 * 1000);
    now.setTime(QTime(23, 30));
    EXPECT_EQ(DayWatch(nullptr, [&now] { return now; }).nextLookIn(), 30 * 60 * 1000);

    now.setTime(QTime(23, 59, 59, 950));
    DayWatch watch(nullptr, [&now] { return now; });
    EXPECT_EQ(watch.nextLookIn(), 50);
    QSignalSpy began(&watch, &DayWatch::dayBegan);
    // The clock stands still: the watch looks again and again, and the day is the same.
    QTest::qWait(200);
    EXPECT_EQ(began.count(), 0);
    now = QDateTime(QDate(2026, 5, 11), QTime(0, 0, 0, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return began.count() == 1; }, 2000));
    EXPECT_EQ(watch.nextLookIn(), 60 * 60 * 1000);
    QTest::qWait(100);
    EXPECT_EQ(began.count(), 1);
}

TEST_F(CareNotificationTest, TheCareDueTodayIsAnnouncedAtStartAndChoosingItOpensCareDue)
{
    ASSERT_FALSE(bus.address().isEmpty());
    FakeNotifications service(bus.connect(QStringLiteral("service")), {QStringLiteral("actions"), QStringLiteral("body")});
    startOptions.notificationBus = bus.connect(QStringLiteral("app"));
    ASSERT_TRUE(start(collection({{"Momiji", {dueIn(-3, "remove wire", CareKind::WireRemoval)}},
                                  {"Idle", {dueIn(5, "later")}},
                                  {"Pine", {dueIn(0, "", CareKind::Repotting), dueIn(0, "feed <a little> & often")}}})));
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.calls().size() == 1; }));
    const FakeNotifications::Call first = service.calls()[0];
    EXPECT_EQ(first.appName, QStringLiteral("Talvane"));
    EXPECT_EQ(first.replacesId, 0u);
    EXPECT_EQ(first.icon, QStringLiteral("talvane"));
    EXPECT_EQ(first.summary, QStringLiteral("3 care tasks due"));
    EXPECT_EQ(first.body, QStringLiteral("Momiji: remove wire; Pine: repotting; 1 more task"));
    EXPECT_EQ(first.actions, (QStringList{"default", "Show care due", "open", "Show care due"}));
    EXPECT_EQ(first.hints.value(QStringLiteral("desktop-entry")).toString(), QStringLiteral("talvane"));
    EXPECT_EQ(first.timeout, -1);

    const auto expectCareDue = [this] {
        ui.dialogs.expect([](QDialog& dialog) {
            EXPECT_NE(dynamic_cast<CareDueDlg*>(&dialog), nullptr);
            return int(QDialog::Rejected);
        });
    };
    expectCareDue();
    // Another program's notification is not Talvane's to answer.
    service.invokeAction(first.id + 7, QStringLiteral("open"));
    service.invokeAction(first.id, QStringLiteral("open"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ui.dialogs.callCount() == 1; }));
    expectCareDue();
    service.invokeAction(first.id, QStringLiteral("default"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ui.dialogs.callCount() == 2; }));

    // A new day announces again, in place of the notification shown.
    doc().removeEntry(0);
    emit frame().dayWatch().dayBegan();
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.calls().size() == 2; }));
    EXPECT_EQ(service.calls()[1].replacesId, first.id);
    EXPECT_EQ(service.calls()[1].summary, QStringLiteral("2 care tasks due"));
    EXPECT_EQ(service.calls()[1].body, QStringLiteral("Pine: repotting; Pine: feed <a little> & often"));
    EXPECT_EQ(service.capabilityRequests(), 1) << "the service's capabilities are asked once";
}

TEST_F(CareNotificationTest, ANotificationThatWentAwayIsShownAnewAndShowsMeanwhileAreNotLost)
{
    FakeNotifications service(bus.connect(QStringLiteral("service")), {QStringLiteral("actions")});
    DesktopNotifier notifier(bus.connect(QStringLiteral("app")), QStringLiteral("Open"));
    QSignalSpy shown(&notifier, &DesktopNotifier::shown);
    QSignalSpy closed(&notifier, &DesktopNotifier::closed);
    QSignalSpy activated(&notifier, &DesktopNotifier::activated);
    notifier.show(QStringLiteral("first"), QString());
    // Said again before the service answered: only the latest is sent.
    notifier.show(QStringLiteral("second"), QString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.count() == 1; }));
    ASSERT_EQ(service.calls().size(), 1u);
    EXPECT_EQ(service.calls()[0].summary, QStringLiteral("second"));
    EXPECT_TRUE(notifier.offersActions());
    notifier.show(QStringLiteral("in place"), QString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.count() == 2; }));
    EXPECT_EQ(service.calls()[1].replacesId, service.calls()[0].id);

    service.invokeAction(service.calls()[0].id, QStringLiteral("something else"));
    service.close(service.calls()[0].id + 1);
    service.close(service.calls()[0].id);
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed.count() == 1; }));
    EXPECT_EQ(activated.count(), 0);
    notifier.show(QStringLiteral("third"), QString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.count() == 3; }));
    EXPECT_EQ(service.calls()[2].replacesId, 0u);
    EXPECT_NE(service.calls()[2].id, service.calls()[0].id);
}

TEST_F(CareNotificationTest, NothingIsSentWhileNothingIsDueByToday)
{
    FakeNotifications service(bus.connect(QStringLiteral("service")), {QStringLiteral("actions")});
    const QDBusConnection app = bus.connect(QStringLiteral("app"));
    startOptions.notificationBus = app;
    ASSERT_TRUE(start(collection({{"Momiji", {dueIn(1, "tomorrow")}}, {"Pine", {}}})));
    frame().announceCareDue();
    service.roundTripFrom(app);
    EXPECT_EQ(service.capabilityRequests(), 0);
    EXPECT_TRUE(service.calls().empty());

    doc().changeFields(1, {{kJournalField, journalTextOf({dueIn(0, "water")})}}, QStringLiteral("Update"));
    frame().announceCareDue();
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.calls().size() == 1; }));
    EXPECT_EQ(service.calls()[0].summary, QStringLiteral("1 care task due"));
    EXPECT_EQ(service.calls()[0].body, QStringLiteral("Pine: water"));
}

TEST_F(CareNotificationTest, WithoutAServiceOrABusNothingFails)
{
    const QDBusConnection app = bus.connect(QStringLiteral("app"));
    startOptions.notificationBus = app;
    ASSERT_TRUE(start(collection({{"Momiji", {dueIn(-1, "remove wire")}}})));
    frame().announceCareDue();
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame().duePane()->text() == "1 care task due in the next 30 days"; }));
    EXPECT_TRUE(ui.prompter.calls().empty());

    DesktopNotifier notifier(app, QStringLiteral("Open"));
    QSignalSpy unavailable(&notifier, &DesktopNotifier::unavailable);
    notifier.show(QStringLiteral("summary"), QStringLiteral("a & <b>"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return unavailable.count() == 1; }));
    // A service that comes later is asked again, and one that reads markup gets the body escaped.
    FakeNotifications service(bus.connect(QStringLiteral("service")), {QStringLiteral("body-markup")});
    QSignalSpy shown(&notifier, &DesktopNotifier::shown);
    notifier.show(QStringLiteral("summary"), QStringLiteral("a & <b>"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.count() == 1; }));
    EXPECT_EQ(service.calls().at(0).body, QStringLiteral("a &amp; &lt;b&gt;"));
    EXPECT_FALSE(notifier.offersActions());

    DesktopNotifier unconnected(QDBusConnection(QStringLiteral("never connected")), QStringLiteral("Open"));
    QSignalSpy refused(&unconnected, &DesktopNotifier::unavailable);
    unconnected.show(QStringLiteral("summary"), QStringLiteral("body"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return refused.count() == 1; }));
}
