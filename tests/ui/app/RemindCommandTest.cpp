#include "core/collection/CollectionLock.h"
#include "ui/journal/CareDueDlg.h"
#include "ui/journal/DayWatch.h"

#include "support/core/JournalTestTrees.h"
#include "support/ui/AppFixture.h"
#include "support/ui/PrivateBus.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <QTreeWidget>

#include <csignal>
#include <fstream>

using namespace talvane::collection;

using namespace talvane::journal;

namespace {

class RemindCommandTest : public AppFixture {
protected:
    QString garden()
    {
        return q(makeCollection("garden.tvn", {"Momiji", "Pine"}, [](CBonsaiData& entry, std::size_t i) {
            entry[kJournalField] = journalTextOf({dueIn(i == 0 ? 0 : 4, "remove wire")});
        }));
    }
};

} // namespace

TEST_F(RemindCommandTest, ChoosingTheNotificationOpensItsCollectionWithCareDue)
{
    PrivateBus bus;
    FakeNotifications service(bus.connect(QStringLiteral("service")), {QStringLiteral("actions")});
    const QString gardenFile = garden();
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(q(dir.path()));
    program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/talvane"), {QStringLiteral("--remind"), gardenFile});
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.calls().size() == 1; }, 20000));
    EXPECT_EQ(service.calls()[0].summary, QStringLiteral("1 care task due in garden"));
    service.invokeAction(service.calls()[0].id, QStringLiteral("open"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(service.withdrawn(), std::vector<uint>{service.calls()[0].id}) << "a chosen notification goes";
    EXPECT_EQ(QString::fromLocal8Bit(program.readAllStandardOutput()), gardenFile + QStringLiteral(": 1 care task due\n"));

    // The program started for it holds the collection's lock, which names it.
    const auto lock = lockFilePathOf(gardenFile.toStdString());
    pid_t opened = 0;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (std::ifstream(lock) >> opened) && opened > 0; }, 20000));
    std::string commandLine = readFileBytes("/proc/" + std::to_string(opened) + "/cmdline");
    std::replace(commandLine.begin(), commandLine.end(), '\0', ' ');
    EXPECT_TRUE(commandLine.ends_with("talvane --care-due " + gardenFile.toStdString() + " ")) << commandLine;
    ::kill(opened, SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !std::filesystem::exists("/proc/" + std::to_string(opened)); }, 20000));
}

TEST_F(RemindCommandTest, TheProgramCanStartWithCareDueOpenAndDoesNotAnnounceItAgain)
{
    PrivateBus bus;
    FakeNotifications service(bus.connect(QStringLiteral("service")), {QStringLiteral("actions")});
    const QDBusConnection connection = bus.connect(QStringLiteral("app"));
    startOptions.notificationBus = connection;
    startOptions.careDue = true;
    ui.dialogs.expect([](QDialog& dialog) {
        auto* careDue = dynamic_cast<CareDueDlg*>(&dialog);
        EXPECT_NE(careDue, nullptr);
        EXPECT_EQ(careDue ? careDue->taskList()->topLevelItemCount() : 0, 2);
        return int(QDialog::Rejected);
    });
    ASSERT_TRUE(start(garden()));
    EXPECT_EQ(ui.dialogs.callCount(), 0) << "the window opens once the program runs";
    EXPECT_TRUE(QTest::qWaitFor([&] { return ui.dialogs.callCount() == 1; }));
    service.roundTripFrom(connection);
    EXPECT_EQ(service.capabilityRequests(), 0) << "the notification that opened the window said it already";
    // A new day is news again.
    emit frame().dayWatch().dayBegan();
    EXPECT_TRUE(QTest::qWaitFor([&] { return service.calls().size() == 1; }));
}
