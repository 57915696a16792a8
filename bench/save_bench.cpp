// Saves a large collection over its file with and without keeping the replaced file
// among its earlier versions: what keeping a version adds to a save; then over a file
// with a second hard link, which is written in place through a backup, and, with
// --kills N, kills that save N times at random moments and opens what is left.
#include "SampleEntries.h"
#include "Measures.h"
#include "core/collection/CollectionFile.h"
#include "core/collection/InPlaceSave.h"
#include "core/collection/VersionStore.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace talvane::collection;

namespace {

constexpr int kRuns = 5;

void save(const std::filesystem::path& path, const EntryList& entries, bool keepVersion)
{
    if (const auto saved = saveCollectionFile(path, entries, {.keepVersion = keepVersion}))
        std::fprintf(stderr, "save failed: %s\n", saved.reason.c_str());
}

double saveSeconds(const std::filesystem::path& path, const EntryList& entries, bool keepVersion)
{
    return seconds([&] { save(path, entries, keepVersion); }, kRuns);
}

// The names a later open could take for something: anything but the collection, its
// second name and its versions' folder is left behind.
std::size_t leftBehind(const std::filesystem::path& folder)
{
    std::size_t left = 0;
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        const auto name = item.path().filename().string();
        if (name != "bench.tvn" && name != "second name.tvn" && name != ".talvane-versions") {
            std::printf("  left behind: %s\n", name.c_str());
            ++left;
        }
    }
    return left;
}

// Saves in a child process, as the killed saves run; gives its pid.
pid_t saveInChild(const std::filesystem::path& path, const EntryList& entries)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(saveCollectionFile(path, entries, {.keepVersion = true}) ? 1 : 0);
    return child;
}

// Kills the in-place save at a random moment of its usual length in a child, then opens
// the file as every Talvane program does (putting back a save that stopped).
void killInPlaceSaves(const std::filesystem::path& path, const EntryList& oldEntries, const EntryList& newEntries,
                      int kills)
{
    const double saveSeconds = seconds([&] {
        save(path, oldEntries, false);
        ::waitpid(saveInChild(path, newEntries), nullptr, 0);
    });
    const std::string oldBytes = writeCollection(oldEntries);
    const std::string newBytes = writeCollection(newEntries);
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> moment(0, saveSeconds * 1.2);
    int sawOld = 0, sawNew = 0, sawOther = 0, putBack = 0;
    std::size_t left = 0;
    for (int kill = 0; kill < kills; ++kill) {
        save(path, oldEntries, false);
        const pid_t child = saveInChild(path, newEntries);
        std::this_thread::sleep_for(std::chrono::duration<double>(moment(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        EntryList opened;
        std::string notice;
        const bool read = !loadCollectionFile(path, opened, nullptr, &notice);
        putBack += !notice.empty();
        const std::string bytes = read ? writeCollection(opened) : std::string();
        sawOld += bytes == oldBytes;
        sawNew += bytes == newBytes;
        sawOther += bytes != oldBytes && bytes != newBytes;
        removeStaleTemporaries(path);
        left += leftBehind(path.parent_path());
    }
    std::printf("%d kills during the in-place save: %d opened as the old file (%d of them put back from the backup), "
                "%d as the new, %d as neither; %zu files left behind\n",
                kills, sawOld, putBack, sawNew, sawOther, left);
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10000;
    std::string pattern = (std::filesystem::temp_directory_path() / "talvane-save-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::fprintf(stderr, "cannot make a folder in %s\n", std::filesystem::temp_directory_path().c_str());
        return 1;
    }
    const std::filesystem::path folder = pattern;
    const auto path = folder / "bench.tvn";
    const EntryList entries = sampleCollection(count);
    // Saves enough versions that every measured one also prunes the oldest, whose
    // blocks are then freed as the plain save frees those of the file it replaces.
    for (int i = 0; i < 12; ++i)
        save(path, entries, true);

    const double plain = saveSeconds(path, entries, false);
    const double versioned = saveSeconds(path, entries, true);
    std::printf("%zu trees, %.1f MB file\n", count, std::filesystem::file_size(path) / 1e6);
    std::printf("save                 %8.2f ms\n", plain * 1e3);
    std::printf("save keeping version %8.2f ms  (%zu versions kept)\n", versioned * 1e3, listVersions(path).size());
    std::printf("difference           %+8.2f ms  (%+.1f %%)\n", (versioned - plain) * 1e3,
                (versioned - plain) / plain * 100);

    std::filesystem::create_hard_link(path, folder / "second name.tvn");
    const double inPlace = saveSeconds(path, entries, true);
    std::printf("save in place, second hard link, keeping version %8.2f ms  (%+.1f %% against the replace)\n",
                inPlace * 1e3, (inPlace - versioned) / versioned * 100);
    const int kills = argc > 3 && std::string(argv[2]) == "--kills" ? std::atoi(argv[3]) : 0;
    if (kills > 0)
        killInPlaceSaves(path, entries, sampleCollection(count + 1), kills);
    std::filesystem::remove_all(folder);
    return 0;
}
