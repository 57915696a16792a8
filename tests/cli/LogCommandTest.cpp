#include "core/collection/CollectionFile.h"
#include "core/collection/TreeIdentity.h"

#include "support/core/CompanionRun.h"
#include "support/core/JournalTestTrees.h"
#include "support/core/TempDir.h"

#include <gtest/gtest.h>

using namespace talvane::collection;
using namespace talvane::journal;

namespace {

// Two trees on a bench, one on a shelf, and one in a cold frame whose journal another
// program wrote.
class LogCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        EntryList entries = twoTrees();
        std::swap(entries[0], entries[1]);
        addTree(entries, "Maple", {});
        addTree(entries, "Juniper", {});
        const char* places[] = {"Bench 1\topen-air\t0", "Cold frame\tsheltered\t4", "Bench 1", "Shelf\tindoors\t0"};
        for (std::size_t tree = 0; tree < entries.size(); ++tree)
            (*entries[tree])[112] = places[tree];
        (*entries[3])[kTreeIdField] = kJuniperId;
        ASSERT_FALSE(saveCollectionFile(m_dir / "trees.tvn", entries));
        m_before = readFileBytes(m_dir / "trees.tvn");
    }

    std::string journalOf(const EntryList& entries, std::size_t tree) const
    {
        return std::string((*entries[tree])[kJournalField]);
    }

    static constexpr const char* kJuniperId = "0f8fad5b-d9cb-469f-a165-70867728950e";
    TempDir m_dir;
    std::string m_before;
};

} // namespace

TEST_F(LogCommand, LogsThePlacesTreesAndTheEntriesGivenEachOnceAndIdentifiesThem)
{
    EntryList before;
    ASSERT_FALSE(loadCollectionFile(m_dir / "trees.tvn", before));
    const CompanionRun run = runCompanion(
        m_dir, "log trees.tvn --kind WATERING --text 'arros\u00E9, \u014Cmiya' --date 2027-07-14 --entry 3 --place 'Bench 1' --entry 2");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "0\tPine\n2\tMaple\n3\tJuniper\n") << "in file order, the bench's Maple once";
    EntryList after;
    ASSERT_FALSE(loadCollectionFile(m_dir / "trees.tvn", after));
    const std::string line = "\r\n2027-07-14\tWatering\t\t\tarros\xE9, Omiya";
    EXPECT_EQ(journalOf(after, 0), journalOf(before, 0) + line);
    EXPECT_EQ(journalOf(after, 2), "TVJ1" + line);
    EXPECT_EQ(journalOf(after, 3), "TVJ1" + line);
    EXPECT_EQ(journalOf(after, 1), kForeign) << "the cold frame is not logged";
    EXPECT_TRUE(isWellFormedTreeId(treeIdAt(after, 0)));
    EXPECT_TRUE(isWellFormedTreeId(treeIdAt(after, 2)));
    EXPECT_EQ(treeIdAt(after, 3), kJuniperId);
    EXPECT_EQ(treeIdAt(after, 1), "") << "a tree left alone is not identified";

    const CompanionRun today = runCompanion(m_dir, "log trees.tvn --kind 'wire removal' --text '' --entry 3");
    ASSERT_EQ(today.status, 0) << today.err;
    after.clear();
    ASSERT_FALSE(loadCollectionFile(m_dir / "trees.tvn", after));
    EXPECT_EQ(journalOf(after, 3), "TVJ1" + line + "\r\n" + CalendarDate::today().text() + "\tWire removal\t\t\t");
}

TEST_F(LogCommand, AnyFailureSaysWhyOnOneLineAndWritesNothing)
{
    const std::pair<const char*, std::string> failures[] = {
        {"--kind Soaking --text x --entry 0",
         "--kind Soaking: not a kind of care; the kinds are Repotting, Pruning, Wiring, Wire removal, Defoliation, "
         "Feeding, Watering, Treatment, Protection, Styling, Photo, Note"},
        {"--kind Watering --text x --date 2027-02-30 --entry 0", "--date 2027-02-30: not a date of the form YYYY-MM-DD"},
        {"--kind Watering --text x --place 'Bench 9' --entry 0", "trees.tvn: no tree stands at \u201CBench 9\u201D"},
        {"--kind Watering --text x --place 'bench 1'", "trees.tvn: no tree stands at \u201Cbench 1\u201D"},
        {"--kind Watering --text x --place 'Bench 1' --entry 1",
         "trees.tvn: The journal of \u201C\u00C9rable\u201D was written by another program and is kept as it is; "
         "no tree was logged."},
        {"--kind Watering --text x --entry 0 --entry 4", "trees.tvn: there is no entry 4 (the collection has 4, counted from 0)"},
        {"--kind Watering --text '\u2603' --entry 0", "--text: \u201C\u2603\u201D cannot be stored in a Talvane collection"},
        {"--kind Watering --text x", "log: give the trees with --place or --entry"},
        {"--text x --entry 0", "log: --kind is required"},
    };
    for (const auto& [arguments, message] : failures) {
        const CompanionRun run = runCompanion(m_dir, std::string("log trees.tvn ") + arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(run.err, "talvane-cli: " + message + "\n") << arguments;
        EXPECT_EQ(run.out, "") << arguments;
    }
    EXPECT_EQ(readFileBytes(m_dir / "trees.tvn"), m_before);
    EXPECT_EQ(folderNames(m_dir.path()), std::vector<std::string>{"trees.tvn"}) << "no version kept, no file left beside it";
}
