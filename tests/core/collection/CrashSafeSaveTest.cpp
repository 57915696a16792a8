#include "core/collection/CollectionFile.h"
#include "core/collection/VersionStore.h"

#include "support/core/TempDir.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace talvane::collection;

namespace {

EntryList collection(std::size_t count, const std::string& tag)
{
    EntryList entries;
    for (std::size_t i = 0; i < count; ++i) {
        entries.push_back(std::make_unique<CBonsaiData>());
        auto& e = *entries.back();
        e[CBonsaiData::Name] = tag + " tree " + std::to_string(i);
        e[CBonsaiData::History] = std::string(300, 'h') + tag;
        e[CBonsaiData::MaintenanceNotes] = "Water daily in summer.\r\nFeed every two weeks.";
    }
    return entries;
}

// Saves in a child process; gives its pid.
pid_t startSave(const std::filesystem::path& path, const EntryList& entries)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(saveCollectionFile(path, entries) ? 1 : 0);
    return child;
}

bool isSaveTemporary(const std::string& name, const std::string& target)
{
    return name.rfind("." + target + kSaveTemporaryMarker, 0) == 0;
}

} // namespace

TEST(CrashSafeSave, AKilledSaveLeavesTheOldOrTheNewCollectionAndNothingElse)
{
    TempDir dir;
    const auto file = dir / "trees.tvn";
    const EntryList oldEntries = collection(3000, "old");
    const EntryList newEntries = collection(3500, "new");
    const std::string oldBytes = writeCollection(oldEntries);
    const std::string newBytes = writeCollection(newEntries);

    // How long a whole save takes here, so that kill points cover all of it.
    ASSERT_FALSE(saveCollectionFile(file, oldEntries));
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    ::waitpid(startSave(file, newEntries), &status, 0);
    const auto saveTime = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(readFileBytes(file), newBytes);

    std::mt19937 random(20261207);
    int sawOld = 0, sawNew = 0;
    const int trials = 200;
    for (int trial = 0; trial < trials; ++trial) {
        ASSERT_FALSE(saveCollectionFile(file, oldEntries));
        // Spread the kill points from the very start to three times as long as a save
        // took, so that saves slower than the measured one (a busy machine) are also
        // seen to the end.
        const auto delay = std::chrono::duration_cast<std::chrono::microseconds>(saveTime * trial * 3 / trials) +
                           std::chrono::microseconds(random() % 200);
        const pid_t child = startSave(file, newEntries);
        std::this_thread::sleep_for(delay);
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);

        const std::string onDisk = readFileBytes(file);
        ASSERT_TRUE(onDisk == oldBytes || onDisk == newBytes) << "trial " << trial << ": " << onDisk.size() << " bytes";
        (onDisk == oldBytes ? sawOld : sawNew)++;
        for (const auto& item : std::filesystem::directory_iterator(dir.path())) {
            const std::string name = item.path().filename().string();
            ASSERT_TRUE(name == "trees.tvn" || name == ".talvane-versions" || isSaveTemporary(name, "trees.tvn"))
                << name;
            if (isSaveTemporary(name, "trees.tvn"))
                std::filesystem::remove(item.path());
        }
    }
    // The versions kept meanwhile are whole collections too, never a torn copy.
    for (const KeptVersion& version : listVersions(file)) {
        const std::string kept = readFileBytes(version.file);
        EXPECT_TRUE(kept == oldBytes || kept == newBytes) << version.file;
    }
    RecordProperty("old", sawOld);
    RecordProperty("new", sawNew);
    // Both outcomes must have been reached, or the kill points missed the write.
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
}

TEST(CrashSafeSave, ASaveIntoAFolderThatCannotBeWrittenKeepsTheOldFile)
{
    TempDir dir;
    const auto folder = dir / "locked";
    std::filesystem::create_directory(folder);
    const auto file = folder / "trees.tvn";
    ASSERT_FALSE(saveCollectionFile(file, collection(2, "old")));
    const std::string before = readFileBytes(file);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                             std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
                                             std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::others_exec, std::filesystem::perm_options::add);

    // The superuser writes anywhere: try as an ordinary user then.
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        const auto failure = saveCollectionFile(file, collection(2, "new"));
        const std::string reason = failure.value_or("saved");
        [[maybe_unused]] const auto written = ::write(pipeEnds[1], reason.data(), reason.size());
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    char buffer[256] = {};
    const auto got = ::read(pipeEnds[0], buffer, sizeof buffer - 1);
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(std::string(buffer, got > 0 ? static_cast<std::size_t>(got) : 0), "Permission denied");
    EXPECT_EQ(readFileBytes(file), before);
}
