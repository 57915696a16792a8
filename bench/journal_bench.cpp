// The care due list over a large collection whose trees all keep a journal: the
// time to build it and the heap it holds, and the open time of that collection
// against the same collection without journals (journals are read only when needed).
#include "SampleEntries.h"
#include "Measures.h"
#include "core/collection/CollectionFile.h"
#include "core/journal/DueTasks.h"
#include "core/journal/Journal.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

using namespace talvane::collection;

namespace {

using namespace talvane::journal;

constexpr int kRuns = 3;
// The first loads of a process also pay for fresh memory; later ones show the reading.
constexpr int kLoadRuns = 5;

EntryList load(const std::filesystem::path& path)
{
    EntryList read;
    if (const auto failure = loadCollectionFile(path, read))
        std::fprintf(stderr, "load failed: %s\n", failure->c_str());
    return read;
}

// Writes both collections, then lets their entries go: the loads that follow find
// the memory a program holds when it opens a file, not twice the collection.
void writeCollections(std::size_t count, const std::filesystem::path& plainPath, const std::filesystem::path& journalPath)
{
    EntryList entries = sampleCollection(count);
    if (const auto saved = saveCollectionFile(plainPath, entries, {.keepVersion = false}))
        std::fprintf(stderr, "save failed: %s\n", saved.reason.c_str());
    for (std::size_t n = 0; n < count; ++n)
        (*entries[n])[kJournalField] = sampleJournal(n);
    if (const auto saved = saveCollectionFile(journalPath, entries, {.keepVersion = false}))
        std::fprintf(stderr, "save failed: %s\n", saved.reason.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const auto folder = std::filesystem::temp_directory_path();
    const auto plainPath = folder / "talvane-journal-bench-plain.tvn";
    const auto journalPath = folder / "talvane-journal-bench.tvn";

    writeCollections(count, plainPath, journalPath);
    // The two loads take turns, so that neither finds the memory better prepared.
    double plainLoad = 1e9, journalLoad = 1e9;
    for (int run = 0; run < kLoadRuns; ++run) {
        plainLoad = std::min(plainLoad, seconds([&] { load(plainPath); }));
        journalLoad = std::min(journalLoad, seconds([&] { load(journalPath); }));
    }
    const EntryList entries = load(journalPath);

    const CalendarDate today = CalendarDate::fromText("2026-12-01").value();
    std::size_t dueCount = 0;
    const double due = seconds([&] { dueCount = dueTasks(entries, today, 30).size(); }, kRuns);
    std::size_t counted = 0;
    const double statusCount = seconds([&] { counted = countDueTasks(entries, today, 30); }, kRuns);
    std::size_t pendingCount = 0;
    const double pending = seconds([&] { pendingCount = pendingTasks(entries).size(); }, kRuns);
    const std::size_t heapBefore = heapInUse();
    const auto held = pendingTasks(entries);
    const std::size_t heapAdded = heapInUse() - heapBefore;

    std::printf("%zu entries with 20 events each; files %.1f MB without journals, %.1f MB with\n", count,
                std::filesystem::file_size(plainPath) / 1e6, std::filesystem::file_size(journalPath) / 1e6);
    std::printf("open without journals %8.3f s  (best of %d)\n", plainLoad, kLoadRuns);
    std::printf("open with journals    %8.3f s  (%.2f x)\n", journalLoad, journalLoad / plainLoad);
    std::printf("due list, 30 days     %8.3f s  (%zu tasks)\n", due, dueCount);
    std::printf("count for the status  %8.3f s  (%zu tasks)\n", statusCount, counted);
    std::printf("every pending task    %8.3f s  (%zu tasks, %.1f MB of heap held)\n", pending, pendingCount,
                heapAdded / 1e6);
    std::filesystem::remove(plainPath);
    std::filesystem::remove(journalPath);
    return held.size() == pendingCount && counted == dueCount ? 0 : 1;
}
