#include "core/collection/RecoveryStore.h"

#include "support/core/TempDir.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

using namespace talvane::collection;

TEST(RecoveryStore, KeepsPathTitleAndBytesAndOffersOnlyWhatNoRunningProgramOwns)
{
    TempDir dir;
    const RecoveryStore store(dir / "recovery");
    EXPECT_TRUE(store.leftBehind().empty()) << "no folder yet";

    RecoveryRecord record;
    // Line breaks and backslashes in a name cannot end the header early.
    record.collectionPath = "/home/grower/odd\nname\\x.tvn";
    record.title = "odd\nname\\x.tvn";
    record.writtenAt = 1'800'000'000;
    const std::string bytes("\x01\x00\xFF\xFF\n\n=binary\r\n", 16);
    ASSERT_FALSE(store.write(record, bytes));

    auto found = store.leftBehind();
    ASSERT_EQ(found.size(), 1u) << "this program's own file, as a new run of it would see it";
    EXPECT_EQ(found[0].collectionPath, record.collectionPath);
    EXPECT_EQ(found[0].title, record.title);
    EXPECT_EQ(found[0].pid, ::getpid());
    EXPECT_EQ(found[0].writtenAt, record.writtenAt);
    std::string read;
    ASSERT_FALSE(RecoveryStore::readCollection(found[0], read));
    EXPECT_EQ(read, bytes);

    // A file of a program still running is its own business.
    const pid_t child = ::fork();
    if (child == 0) {
        ::pause();
        ::_exit(0);
    }
    const auto running = dir / "recovery" / (std::to_string(child) + ".recovery");
    std::filesystem::copy_file(store.ownFile(), running);
    // Rewrite the pid line of the copy to the child's.
    std::string copied;
    {
        std::ifstream in(running, std::ios::binary);
        copied.assign(std::istreambuf_iterator<char>(in), {});
    }
    const auto at = copied.find("pid=");
    copied.replace(at, copied.find('\n', at) - at, "pid=" + std::to_string(child));
    std::ofstream(running, std::ios::binary | std::ios::trunc) << copied;
    EXPECT_EQ(store.leftBehind().size(), 1u);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(store.leftBehind().size(), 2u) << "once it is gone, its work is offered";

    // Files that are not recovery files are never taken for one.
    std::ofstream(dir / "recovery" / "notes.recovery") << "hello\n";
    EXPECT_EQ(store.leftBehind().size(), 2u);

    store.remove();
    EXPECT_FALSE(std::filesystem::exists(store.ownFile()));
    RecoveryStore::discard(store.leftBehind().at(0));
    EXPECT_TRUE(store.leftBehind().empty());
}
