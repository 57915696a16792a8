// Times one filter step (a word typed) over generated collections against a plain
// case-sensitive byte search of the same word over the same fields, then the sort by
// Name and by Purchased at the largest size, the memory of the collection and of the
// list's index, and the filter over trees that keep a journal:
//   build/bin/bench_search [largest count, default 100000]
#include "Measures.h"
#include "SampleEntries.h"
#include "core/journal/Journal.h"
#include "core/search/EntryOrder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>

using namespace talvane::collection;

namespace {

// The best of several runs, in milliseconds of processor time.
template <typename Step>
double bestMilliseconds(Step&& step, int runs = 7)
{
    double best = 1e30;
    for (int run = 0; run < runs; ++run) {
        const double start = threadMilliseconds();
        step();
        best = std::min(best, threadMilliseconds() - start);
    }
    return best;
}

std::size_t plainSearch(const EntryList& entries, const std::string& word)
{
    const auto& named = talvane::search::namedFieldTable();
    std::size_t found = 0;
    for (const auto& entry : entries) {
        found += entry->anyWrittenField([&](std::size_t field, std::string_view text) {
            return named[field] && text.find(word) != std::string::npos;
        });
    }
    return found;
}

// `asWritten` is the word as the collection spells it: the plain search then stops
// at the same field as the filter, and both pay the same memory latency.
void compareFilterStep(const EntryList& entries, const char* word, const char* asWritten)
{
    const std::vector<std::size_t> all = [&] {
        std::vector<std::size_t> positions(entries.size());
        std::iota(positions.begin(), positions.end(), std::size_t{0});
        return positions;
    }();
    const talvane::search::EntryAt at = [&](std::size_t position) -> const CBonsaiData& { return *entries[position]; };
    std::vector<std::size_t> matching;
    std::size_t folded = 0;
    std::size_t plain = 0;
    // Interleaved, so that both meet the same load of the machine.
    double foldedMs = 1e30;
    double plainMs = 1e30;
    double writtenMs = 1e30;
    std::size_t written = 0;
    for (int round = 0; round < 5; ++round) {
        foldedMs = std::min(foldedMs, bestMilliseconds(
            [&] {
                talvane::search::keepMatchingPositions(all, at, talvane::search::EntryMatcher(word), matching);
                folded = matching.size();
            }, 3));
        plainMs = std::min(plainMs, bestMilliseconds([&] { plain = plainSearch(entries, word); }, 3));
        writtenMs = std::min(writtenMs, bestMilliseconds([&] { written = plainSearch(entries, asWritten); }, 3));
    }
    std::printf("%8zu entries  %-10s filter %8.3f ms (%6zu match)  plain %8.3f ms (%6zu match)  ratio %.2f"
                "  | plain \"%s\" %8.3f ms (%6zu match)  ratio %.2f\n",
                entries.size(), word, foldedMs, folded, plainMs, plain, foldedMs / plainMs, asWritten, writtenMs, written,
                foldedMs / writtenMs);
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t largest = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;
    // Words typed: found nowhere, in one entry, in one entry in eight, in every entry;
    // each with the spelling the collection uses.
    const char* const words[][2] = {
        {"zelkovas", "Zelkovas"}, {"4711", "4711"}, {"juniperus", "Juniperus"}, {"japanese", "Japanese"}};
    for (std::size_t count = 1000; count <= largest; count *= 10) {
        const std::size_t heapBefore = heapInUse();
        const EntryList entries = sampleCollection(count);
        const std::size_t collectionBytes = heapInUse() - heapBefore;
        for (const auto& word : words)
            compareFilterStep(entries, word[0], word[1]);
        if (count * 10 <= largest)
            continue;

        const talvane::search::EntryAt at = [&](std::size_t position) -> const CBonsaiData& { return *entries[position]; };
        std::vector<std::size_t> sorted;
        const double sortMs = bestMilliseconds(
            [&] { sorted = talvane::search::sortedPositions(entries.size(), at, talvane::search::ListColumn::Name, false); }, 3);
        const std::size_t heapBeforeIndex = heapInUse();
        std::vector<std::size_t> visible;
        talvane::search::keepMatchingPositions(sorted, at, talvane::search::EntryMatcher("tree"), visible);
        const std::size_t indexBytes = heapInUse() - heapBeforeIndex + sorted.capacity() * sizeof(std::size_t);
        const double purchasedMs = bestMilliseconds(
            [&] { sorted = talvane::search::sortedPositions(entries.size(), at, talvane::search::ListColumn::Purchased, false); }, 3);
        std::printf("%8zu entries  sort keys and sort by Name %.1f ms, by Purchased (dates read) %.1f ms\n", count,
                    sortMs, purchasedMs);
        std::printf("%8zu entries  collection %.1f MB, list order and visible rows %.2f MB (%.1f %%)\n", count,
                    collectionBytes / 1e6, indexBytes / 1e6, 100.0 * indexBytes / collectionBytes);
    }

    // Every tree with a journal of twenty events: a word found nowhere, one found only
    // in the events' texts, one only as a kind of care, and one only in the dates, for
    // which every line's text is looked at and none holds it.
    EntryList withJournals = sampleCollection(largest);
    for (std::size_t n = 0; n < largest; ++n)
        (*withJournals[n])[talvane::journal::kJournalField] = sampleJournal(n);
    std::printf("with a journal of 20 events in every tree:\n");
    const char* const journalWords[][2] = {
        {"zelkovas", "Zelkovas"}, {"pellets", "pellets"}, {"defoliation", "Defoliation"}, {"2023", "2023"}};
    for (const auto& word : journalWords)
        compareFilterStep(withJournals, word[0], word[1]);
    return 0;
}
