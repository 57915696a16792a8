#include "ui/journal/CareDueReminder.h"

#include "core/collection/CollectionFile.h"
#include "support/core/JournalTestTrees.h"
#include "support/core/TempDir.h"
#include "support/ui/PrivateBus.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace talvane::collection;

using namespace talvane::journal;

namespace {

class CareDueReminderTest : public ::testing::Test {
protected:
    CareDueReminderTest()
    {
        garden = write("garden.tvn", {{"Momiji", {dueIn(-2, "remove wire", CareKind::WireRemoval)}},
                                      {"Pine", {dueIn(0, "", CareKind::Feeding), dueIn(9, "later")}}});
        bench = write("bench.tvn", {{"Juniper", {dueIn(0, "mist")}}});
        idle = write("idle.tvn", {{"Elm", {dueIn(3, "soon")}}});
        writeFileBytes(dir / "broken.tvn", "no collection at all");
        broken = QString::fromStdString((dir / "broken.tvn").string());
    }

    QString write(const std::string& file, const std::vector<std::pair<std::string, std::vector<CareEvent>>>& trees)
    {
        EntryList entries;
        for (const auto& [name, events] : trees)
            addTree(entries, name, events);
        EXPECT_FALSE(saveCollectionFile(dir / file, entries));
        return QString::fromStdString((dir / file).string());
    }

    TempDir dir;
    QString garden, bench, idle, broken;
    QString out, errors;
    QTextStream outStream{&out};
    QTextStream errorStream{&errors};
    PrivateBus bus;
};

} // namespace

TEST_F(CareDueReminderTest, EachCollectionWithCareDueHasItsNotificationAndAChoiceAsksForItsWindow)
{
    FakeNotifications service(bus.connect(QStringLiteral("service")), {QStringLiteral("actions"), QStringLiteral("body")});
    CareDueReminder reminder(bus.connect(QStringLiteral("reminder")), outStream, errorStream);
    QSignalSpy requested(&reminder, &CareDueReminder::careDueRequested);
    QSignalSpy finished(&reminder, &CareDueReminder::finished);
    ASSERT_TRUE(reminder.remind({garden, idle, broken, bench}));
    EXPECT_EQ(out, garden + ": 2 care tasks due\n" + idle + ": no care task due\n" + bench + ": 1 care task due\n");
    EXPECT_TRUE(errors.startsWith(QStringLiteral("talvane: cannot read ") + broken + QStringLiteral(": "))) << errors.toStdString();
    EXPECT_EQ(errors.count(QLatin1Char('\n')), 1);

    ASSERT_TRUE(QTest::qWaitFor([&] { return service.calls().size() == 2; }));
    EXPECT_EQ(service.calls()[0].summary, QStringLiteral("2 care tasks due in garden"));
    EXPECT_EQ(service.calls()[0].body, QStringLiteral("Momiji: remove wire; Pine: feeding"));
    EXPECT_EQ(service.calls()[1].summary, QStringLiteral("1 care task due in bench"));
    EXPECT_EQ(service.calls()[1].body, QStringLiteral("Juniper: mist"));
    EXPECT_NE(service.calls()[0].id, service.calls()[1].id);

    service.invokeAction(service.calls()[1].id, QStringLiteral("default"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return requested.count() == 1; }));
    EXPECT_EQ(requested.at(0).at(0).toString(), bench);
    EXPECT_EQ(finished.count(), 0) << "the garden's notification is still up";
    service.close(service.calls()[0].id, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }));
    EXPECT_EQ(requested.count(), 1);
    EXPECT_EQ(reminder.exitCode(), 1) << "a collection could not be read";
}

TEST_F(CareDueReminderTest, NothingDueAnywhereShowsNothingAndWaitsForNothing)
{
    FakeNotifications service(bus.connect(QStringLiteral("service")), {QStringLiteral("actions")});
    const QDBusConnection connection = bus.connect(QStringLiteral("reminder"));
    CareDueReminder reminder(connection, outStream, errorStream);
    EXPECT_FALSE(reminder.remind({idle}));
    service.roundTripFrom(connection);
    EXPECT_EQ(service.capabilityRequests(), 0);
    EXPECT_TRUE(service.calls().empty());
    EXPECT_EQ(out, idle + ": no care task due\n");
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(reminder.exitCode(), 0);
}

TEST_F(CareDueReminderTest, NoServiceOrOneWithoutActionsEndsTheWaitAtOnce)
{
    const QDBusConnection connection = bus.connect(QStringLiteral("reminder"));
    CareDueReminder alone(connection, outStream, errorStream);
    QSignalSpy finishedAlone(&alone, &CareDueReminder::finished);
    ASSERT_TRUE(alone.remind({garden, bench}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return finishedAlone.count() == 1; }, 3000));
    EXPECT_EQ(alone.exitCode(), 0) << "a missing service fails nothing";

    FakeNotifications service(bus.connect(QStringLiteral("service")), {QStringLiteral("body")});
    CareDueReminder reminder(connection, outStream, errorStream);
    QSignalSpy finished(&reminder, &CareDueReminder::finished);
    ASSERT_TRUE(reminder.remind({bench}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }, 3000));
    EXPECT_EQ(service.calls().size(), 1u) << "shown, though nothing can come back from it";
}

TEST_F(CareDueReminderTest, AChoiceCountsOnceAndWhatIsStillUpAfterTheWaitIsTakenDown)
{
    FakeNotifications service(bus.connect(QStringLiteral("service")), {QStringLiteral("actions")});
    CareDueReminder reminder(bus.connect(QStringLiteral("reminder")), outStream, errorStream, 1500);
    QSignalSpy requested(&reminder, &CareDueReminder::careDueRequested);
    QSignalSpy finished(&reminder, &CareDueReminder::finished);
    ASSERT_TRUE(reminder.remind({garden, bench}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.calls().size() == 2; }));
    // The click and the button of one notification: one window, and the notification goes.
    service.invokeAction(service.calls()[0].id, QStringLiteral("default"));
    service.invokeAction(service.calls()[0].id, QStringLiteral("open"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.withdrawn().size() == 1; }));
    EXPECT_EQ(finished.count(), 0) << "the bench's notification may still be chosen";
    // Nothing would hear it chosen once the reminder has ended: it goes first.
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }, 10000));
    EXPECT_EQ(service.withdrawn(), (std::vector<uint>{service.calls()[0].id, service.calls()[1].id}));
    EXPECT_EQ(requested.count(), 1);
}
