#include "core/collection/CollectionLock.h"
#include "core/collection/TreeIdentity.h"

#include "core/collection/CollectionFile.h"
#include "support/core/CompanionRun.h"

#include <climits>
#include <csignal>
#include <ctime>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace talvane::collection;

namespace {

EntryList oneTree(const std::string& name)
{
    EntryList entries;
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries.back())[CBonsaiData::Name] = name;
    return entries;
}

std::string host()
{
    char name[HOST_NAME_MAX + 1] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

std::string thisProgram()
{
    return std::filesystem::read_symlink("/proc/self/exe").filename().string();
}

// A lock as QLockFile writes it.
void writeLock(const std::filesystem::path& collection, long long pid, const std::string& program,
               const std::string& host)
{
    writeFileBytes(lockFilePathOf(collection),
                   std::to_string(pid) + "\n" + program + "\n" + host + "\nmachine\nboot\n");
}

// Another process holding the collection as a command does, until it is killed.
pid_t holdInAnotherProcess(const std::filesystem::path& collection)
{
    int ready[2];
    EXPECT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        const auto lock = CommandLock::take(collection);
        const char taken = lock ? 1 : 0;
        if (::write(ready[1], &taken, 1) != 1 || !taken)
            ::_exit(1);
        ::pause();
        ::_exit(0);
    }
    char taken = 0;
    EXPECT_EQ(::read(ready[0], &taken, 1), 1);
    EXPECT_EQ(taken, 1);
    ::close(ready[0]);
    ::close(ready[1]);
    return holder;
}

} // namespace

TEST(CollectionLock, ALockIsSeenWhileItsProcessLivesAndTakenOverOnceItIsGone)
{
    TempDir dir;
    const auto collection = dir / "trees.tvn";
    EXPECT_EQ(lockFilePathOf(collection), dir / ".trees.tvn.lock");
    const auto longLock = lockFilePathOf(dir / (std::string(252, 'l') + ".tvn")).filename().string();
    EXPECT_LE(longLock.size(), 255u);
    EXPECT_TRUE(longLock.ends_with(".lock"));
    EXPECT_FALSE(liveLockHolder(collection));

    {
        auto lock = CommandLock::take(collection);
        ASSERT_TRUE(lock);
        EXPECT_EQ(readFileBytes(lockFilePathOf(collection)),
                  std::to_string(::getpid()) + "\n" + thisProgram() + "\n" + host() + "\n\n\n");
        const auto holder = liveLockHolder(collection);
        ASSERT_TRUE(holder);
        EXPECT_EQ(holder->pid, ::getpid());
        EXPECT_EQ(holder->program, thisProgram());
        EXPECT_EQ(holder->host, host());
        EXPECT_EQ(holder->user, ::getpwuid(::geteuid())->pw_name);
        EXPECT_LE(std::abs(holder->since - std::time(nullptr)), 60);
        EXPECT_TRUE(isThisProcess(*holder));

        std::optional<LockHolder> heldBy;
        EXPECT_FALSE(CommandLock::take(collection, &heldBy));
        ASSERT_TRUE(heldBy);
        EXPECT_EQ(heldBy->pid, ::getpid());
    }
    EXPECT_FALSE(std::filesystem::exists(lockFilePathOf(collection))) << "released";

    // A process that is gone, and a process id that another program has since.
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    writeLock(collection, gone, "talvane", host());
    EXPECT_FALSE(liveLockHolder(collection));
    writeLock(collection, ::getpid(), "talvane", host());
    EXPECT_FALSE(liveLockHolder(collection));
    writeLock(collection, gone, "talvane", "another-host");
    EXPECT_TRUE(liveLockHolder(collection)) << "a process elsewhere cannot be checked";
    EXPECT_FALSE(isThisProcess(*liveLockHolder(collection)));

    writeLock(collection, gone, "talvane", host());
    const auto lock = CommandLock::take(collection);
    ASSERT_TRUE(lock) << "a stale lock is taken over";
    EXPECT_EQ(liveLockHolder(collection)->pid, ::getpid());
}

TEST(CollectionLock, TheHolderIsDescribedByUserHostProgramProcessAndTime)
{
    const LockHolder holder{1234, "talvane", "host", "user", localSeconds(15, 12, 59)};
    EXPECT_EQ(describeLockHolder(holder), "user on host (talvane, process 1234) since 2026-12-08 15:12");
}

TEST(CollectionLock, NoSaveOrImportWritesACollectionAnotherProcessHasOpen)
{
    TempDir dir;
    const auto collection = dir / "trees.tvn";
    ASSERT_FALSE(saveCollectionFile(collection, oneTree("before")));
    const std::string before = readFileBytes(collection);

    // The window of another process, running the same program as this test.
    const pid_t window = ::fork();
    if (window == 0) {
        ::pause();
        ::_exit(0);
    }
    writeLock(collection, window, thisProgram(), host());
    const auto refused = saveCollectionFile(collection, oneTree("after"), {});
    EXPECT_EQ(refused.problem, SaveProblem::Locked);
    EXPECT_EQ(refused.reason, "it is open by " + describeLockHolder(*liveLockHolder(collection)));
    EXPECT_NE(refused.reason.find("process " + std::to_string(window)), std::string::npos);
    EXPECT_EQ(readFileBytes(collection), before);
    ::kill(window, SIGKILL);
    ::waitpid(window, nullptr, 0);

    // talvane-cli import while this process holds the lock, as the window does.
    writeFileBytes(dir / "trees.csv", "Name\r\nimported\r\n");
    {
        const auto lock = CommandLock::take(collection);
        ASSERT_TRUE(lock);
        ASSERT_FALSE(saveCollectionFile(collection, oneTree("ours"))) << "the holder itself saves";
        const std::string held = readFileBytes(collection);
        const CompanionRun run = runCompanion(dir, "import trees.csv trees.tvn");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "talvane-cli: cannot write trees.tvn: it is open by " +
                               describeLockHolder(*liveLockHolder(collection)) + "; close it there first\n");
        EXPECT_EQ(readFileBytes(collection), held);
    }
    const CompanionRun run = runCompanion(dir, "import trees.csv trees.tvn");
    EXPECT_EQ(run.status, 0) << run.err;
    EntryList imported;
    ASSERT_FALSE(loadCollectionFile(collection, imported));
    ASSERT_EQ(imported.size(), 1u);
    EXPECT_EQ((*imported[0])[CBonsaiData::Name], "imported");
    EXPECT_TRUE(isWellFormedTreeId((*imported[0])[kTreeIdField])) << "an imported row is a tree added";
    EXPECT_FALSE(std::filesystem::exists(lockFilePathOf(collection))) << "the command's lock is gone";
}

TEST(CollectionLock, EveryNameOfAFileLeadsToItsOneLock)
{
    TempDir dir;
    const auto collection = dir / "trees.tvn";
    ASSERT_FALSE(saveCollectionFile(collection, oneTree("before")));
    std::filesystem::create_directory(dir / "elsewhere");
    const auto symbolicLink = dir / "elsewhere" / "shortcut.tvn";
    const auto hardLink = dir / "elsewhere" / "second.tvn";
    std::filesystem::create_symlink(collection, symbolicLink);
    std::filesystem::create_hard_link(collection, hardLink);

    const pid_t window = holdInAnotherProcess(collection);
    for (const auto& name : {symbolicLink, hardLink}) {
        std::optional<LockHolder> heldBy;
        EXPECT_FALSE(CommandLock::take(name, &heldBy)) << name;
        ASSERT_TRUE(heldBy) << name;
        EXPECT_EQ(heldBy->pid, window);
        EXPECT_EQ(saveCollectionFile(name, oneTree("after"), {}).reason, "it is open by " + describeLockHolder(*heldBy));
    }
    // Found through the file itself: who and where, but not since when.
    EXPECT_EQ(describeLockHolder(*liveLockHolder(hardLink)),
              std::string(::getpwuid(::geteuid())->pw_name) + " on " + host() + " (" + thisProgram() + ", process " +
                  std::to_string(window) + ")");
    EXPECT_FALSE(std::filesystem::exists(lockFilePathOf(hardLink))) << "a refused command leaves no lock behind";
    ::kill(window, SIGKILL);
    ::waitpid(window, nullptr, 0);
    EXPECT_FALSE(liveLockHolder(hardLink)) << "the lock on the file goes with its process";

    // This process's own lock never stops its own save; a command through the other name is refused.
    auto lock = CommandLock::take(collection);
    ASSERT_TRUE(lock);
    ASSERT_FALSE(saveCollectionFile(hardLink, oneTree("ours")));
    writeFileBytes(dir / "trees.csv", "Name\r\nimported\r\n");
    const CompanionRun run = runCompanion(dir, "import trees.csv elsewhere/second.tvn");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "talvane-cli: cannot write elsewhere/second.tvn: it is open by " +
                           describeLockHolder(*liveLockHolder(hardLink)) + "; close it there first\n");

    // A file of one name is replaced by a new one on save: the lock moves to it when told.
    std::filesystem::remove(hardLink);
    ASSERT_FALSE(saveCollectionFile(collection, oneTree("renamed in")));
    std::filesystem::create_hard_link(collection, hardLink);
    EXPECT_FALSE(liveLockHolder(hardLink));
    lock->follow(collection);
    EXPECT_EQ(liveLockHolder(hardLink).value_or(LockHolder{}).pid, ::getpid());
}
