#include "collection/CollectionLock.h"
#include "journal/CareDueDlg.h"

#include "core/JournalTestTrees.h"
#include "ui/AppFixture.h"
#include "ui/PrivateBus.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <fstream>

using namespace talvane::journal;

namespace {

class RemindCommandTest : public AppFixture {
protected:
    // Starts "talvane --remind" on the test's own bus.
    void StartReminder(QProcess& program, const QStringList& collections)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(Q(dir.path()));
        program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/talvane"),
                      QStringList{QStringLiteral("--remind")} + collections);
        ASSERT_TRUE(program.waitForStarted());
    }

    QString Garden()
    {
        return Q(MakeCollection("garden.tvn", {"Momiji", "Pine"}, [](CBonsaiData& entry, std::size_t i) {
            entry[kJournalField] = JournalTextOf({DueIn(i == 0 ? 0 : 4, "remove wire")});
        }));
    }

    PrivateBus bus;
};

} // namespace

TEST_F(RemindCommandTest, RemindsWithoutAWindowAndEndsOnceTheNotificationIsClosed)
{
    FakeNotifications service(bus.connect(QStringLiteral("service")), {QStringLiteral("actions"), QStringLiteral("body")});
    const QString garden = Garden();
    const QString missing = Q(dir / "missing.tvn");
    QProcess program;
    StartReminder(program, {garden, missing});
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.calls().size() == 1; }, 20000));
    EXPECT_EQ(service.calls()[0].summary, QStringLiteral("1 care task due in garden"));
    EXPECT_EQ(service.calls()[0].body, QStringLiteral("Momiji: remove wire"));
    QTest::qWait(100);
    EXPECT_EQ(program.state(), QProcess::Running) << "it waits for the notification";

    service.close(service.calls()[0].id);
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(program.exitCode(), 1) << "a collection could not be read";
    EXPECT_EQ(QString::fromLocal8Bit(program.readAllStandardOutput()), garden + QStringLiteral(": 1 care task due\n"));
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_TRUE(errors.startsWith(QStringLiteral("talvane: cannot read ") + missing)) << errors.toStdString();
}

TEST_F(RemindCommandTest, ChoosingTheNotificationOpensItsCollectionWithCareDue)
{
    FakeNotifications service(bus.connect(QStringLiteral("service")), {QStringLiteral("actions")});
    const QString garden = Garden();
    QProcess program;
    StartReminder(program, {garden});
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.calls().size() == 1; }, 20000));
    service.invokeAction(service.calls()[0].id, QStringLiteral("open"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(program.exitCode(), 0);

    // The program started for it holds the collection's lock, which names it.
    const auto lock = LockFilePathOf(garden.toStdString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(lock); }, 20000));
    pid_t opened = 0;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (std::ifstream(lock) >> opened) && opened > 0; }, 5000));
    std::string commandLine = ReadFileBytes("/proc/" + std::to_string(opened) + "/cmdline");
    std::replace(commandLine.begin(), commandLine.end(), '\0', ' ');
    EXPECT_TRUE(commandLine.ends_with("talvane --care-due " + garden.toStdString() + " ")) << commandLine;
    ::kill(opened, SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !std::filesystem::exists("/proc/" + std::to_string(opened)); }, 20000));
}

TEST_F(RemindCommandTest, NothingDueEndsAtOnceAndShowsNothing)
{
    FakeNotifications service(bus.connect(QStringLiteral("service")), {QStringLiteral("actions")});
    const QString idle = Q(MakeCollection("idle.tvn", {"Elm"}));
    QProcess program;
    StartReminder(program, {idle});
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(QString::fromLocal8Bit(program.readAllStandardOutput()), idle + QStringLiteral(": no care task due\n"));
    EXPECT_EQ(service.capabilityRequests(), 0);
    EXPECT_TRUE(service.calls().empty());
}

TEST_F(RemindCommandTest, TheProgramCanStartWithCareDueOpen)
{
    startOptions.careDue = true;
    ui.dialogs.expect([](QDialog& dialog) {
        auto* careDue = dynamic_cast<CareDueDlg*>(&dialog);
        EXPECT_NE(careDue, nullptr);
        EXPECT_EQ(careDue ? careDue->tasks().size() : 0u, 2u);
        return int(QDialog::Rejected);
    });
    ASSERT_TRUE(Start(Garden()));
    EXPECT_EQ(ui.dialogs.callCount(), 0) << "the window opens once the program runs";
    EXPECT_TRUE(QTest::qWaitFor([&] { return ui.dialogs.callCount() == 1; }));
}
