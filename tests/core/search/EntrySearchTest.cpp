#include "collection/CollectionFile.h"
#include "search/EntryOrder.h"

#include "core/CompanionRun.h"
#include "core/TerminalRun.h"

#include <gtest/gtest.h>

using namespace search;

namespace {

CBonsaiData& addEntry(EntryList& entries, const std::string& name)
{
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries.back())[CBonsaiData::Name] = name;
    return *entries.back();
}

EntryAt entryIn(const EntryList& entries)
{
    return [&entries](std::size_t position) -> const CBonsaiData& { return *entries[position]; };
}

} // namespace

TEST(EntryMatcher, EveryWordMustAppearInSomeNamedField)
{
    EntryList entries;
    addEntry(entries, "Tree 1")[CBonsaiData::BotanicalName] = "Acer palmatum";
    CBonsaiData& second = addEntry(entries, "\xC9rable");
    second[CBonsaiData::Photo5Description] = "premier printemps";
    second[CBonsaiData::NeedPruning] = "Pincer en mai";
    second[12] = "palmatum in a spare field";
    addEntry(entries, "")[114] = "erable";

    EXPECT_EQ(findEntries(entries, EntryMatcher("PALMATUM")), (std::vector<std::size_t>{0}));
    EXPECT_EQ(findEntries(entries, EntryMatcher("erable\tMAI  printemps")), (std::vector<std::size_t>{1}));
    EXPECT_EQ(findEntries(entries, EntryMatcher("erable juin")), (std::vector<std::size_t>{}));
    EXPECT_EQ(findEntries(entries, EntryMatcher("tree acer")), (std::vector<std::size_t>{0}));
    EXPECT_TRUE(EntryMatcher("  \t ").matchesEverything());
    EXPECT_EQ(findEntries(entries, EntryMatcher("   ")), (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(findEntries(entries, EntryMatcher("")), (std::vector<std::size_t>{0, 1, 2}));
}

// The radio buttons store "0" and "1": a grower searches for what the page shows.
TEST(EntryMatcher, FindsACodedFieldByTheWordsItIsShownAs)
{
    EntryList entries;
    addEntry(entries, "Juniper")[CBonsaiData::IntExt] = "1";
    addEntry(entries, "Ficus")[CBonsaiData::IntExt] = "0";
    addEntry(entries, "Unknown");                          // "-1": neither
    addEntry(entries, "Imported")[CBonsaiData::IntExt] = " 1"; // read as a number by the page, shown by no list
    addEntry(entries, "Exterior pine")[CBonsaiData::IntExt] = "0";

    EXPECT_EQ(findEntries(entries, EntryMatcher("exterior")), (std::vector<std::size_t>{0, 4}));
    EXPECT_EQ(findEntries(entries, EntryMatcher("int\xE9rior")), (std::vector<std::size_t>{1, 4}));
    EXPECT_EQ(findEntries(entries, EntryMatcher("exterior juniper")), (std::vector<std::size_t>{0}));
    EXPECT_EQ(findEntries(entries, EntryMatcher("1")), (std::vector<std::size_t>{0, 2, 3}))
        << "the stored text is still found as it is";
    EXPECT_EQ(findEntries(entries, EntryMatcher("plant")), (std::vector<std::size_t>{}))
        << "the report's wording is not what the page shows";
}

TEST(EntryOrder, SortsByColumnTextsKeepingTiesInCollectionOrder)
{
    EntryList entries;
    CBonsaiData& first = addEntry(entries, "Tree 10");
    first[CBonsaiData::PurchaseStyle] = "Moyogi";
    first[CBonsaiData::IntExt] = "1";
    first[CBonsaiData::Photo3] = "c.bmp";
    CBonsaiData& second = addEntry(entries, "tree 2");
    second[CBonsaiData::PurchaseStyle] = "Moyogi";
    second[CBonsaiData::ShapingStyle] = "Chokkan";
    second[CBonsaiData::IntExt] = "0";
    addEntry(entries, "Tree 02")[CBonsaiData::IntExt] = "7";
    addEntry(entries, std::string(1 << 20, 'z'));

    EXPECT_EQ(listColumnText(first, ListColumn::Style), "Moyogi");
    EXPECT_EQ(listColumnText(second, ListColumn::Style), "Chokkan");
    EXPECT_EQ(listColumnText(first, ListColumn::InteriorExterior), "Exterior");
    EXPECT_EQ(listColumnText(second, ListColumn::InteriorExterior), "Interior");
    EXPECT_EQ(listColumnText(*entries[2], ListColumn::InteriorExterior), "");
    EXPECT_EQ(listColumnText(first, ListColumn::Photos), "1");

    const auto at = entryIn(entries);
    EXPECT_EQ(sortedPositions(4, at, ListColumn::Name, false), (std::vector<std::size_t>{1, 2, 0, 3}));
    EXPECT_EQ(sortedPositions(4, at, ListColumn::Name, true), (std::vector<std::size_t>{3, 0, 1, 2}));
    EXPECT_EQ(sortedPositions(4, at, ListColumn::Style, false), (std::vector<std::size_t>{2, 3, 1, 0}));
    EXPECT_EQ(sortedPositions(4, at, ListColumn::InteriorExterior, true), (std::vector<std::size_t>{1, 0, 2, 3}));
    std::vector<std::size_t> matching{9, 9, 9, 9, 9};
    keepMatchingPositions({3, 2, 1, 0}, at, EntryMatcher("TREE"), matching);
    EXPECT_EQ(matching, (std::vector<std::size_t>{2, 1, 0}));
    keepMatchingPositions({3, 2, 1, 0}, at, EntryMatcher(" "), matching);
    EXPECT_EQ(matching, (std::vector<std::size_t>{3, 2, 1, 0}));
}

TEST(FindCommand, PrintsPositionAndNameOfEachMatchOrSaysWhyNot)
{
    TempDir dir;
    EntryList entries;
    addEntry(entries, "\xC9rable 1");
    addEntry(entries, "Pine")[CBonsaiData::History] = "planted near an \xE9rable";
    addEntry(entries, "Olive")[CBonsaiData::IntExt] = "1";
    ASSERT_FALSE(SaveCollectionFile(dir / "trees.tvn", entries));

    CompanionRun run = RunCompanion(dir, "find trees.tvn ERABLE");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "0\t\u00C9rable 1\n1\tPine\n");
    run = RunCompanion(dir, "find trees.tvn \u00E9rable near");
    EXPECT_EQ(run.out, "1\tPine\n");
    run = RunCompanion(dir, "find trees.tvn exterior");
    EXPECT_EQ(run.out, "2\tOlive\n");
    for (const char* words : {"birch", "\u6728"}) {
        run = RunCompanion(dir, std::string("find trees.tvn ") + words);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");
    }

    WriteFileBytes(dir / "bad.tvn", std::string("\x02\x00\xFF\xFF\x00\x00\x0B\x00" "CBonsaiData\x01", 20));
    for (const char* file : {"bad.tvn", "missing.tvn"}) {
        const CompanionRun found = RunCompanion(dir, std::string("find ") + file + " pine");
        const CompanionRun dumped = RunCompanion(dir, std::string("dump ") + file);
        EXPECT_EQ(found.status, 1);
        EXPECT_EQ(found.status, dumped.status);
        EXPECT_EQ(found.out, "");
        EXPECT_EQ(found.err, dumped.err);
        EXPECT_EQ(found.err.rfind(std::string("talvane-cli: ") + file + ": ", 0), 0u) << found.err;
    }
}

TEST(FindCommand, IdsPutEachTreesIdentifierBetweenPositionAndName)
{
    TempDir dir;
    const std::string id = "0f8fad5b-d9cb-469f-a165-70867728950e";
    EntryList entries;
    addEntry(entries, "Pine 1")[113] = id;
    addEntry(entries, "Pine 2")[113] = id;
    addEntry(entries, "Maple")[113] = id;
    addEntry(entries, "Pine 3")[113] = "kept text";
    addEntry(entries, "Pine 4");
    ASSERT_FALSE(SaveCollectionFile(dir / "trees.tvn", entries));

    CompanionRun run = RunCompanion(dir, "find trees.tvn pine --ids");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "0\t" + id + "\tPine 1\n1\t\tPine 2\n3\t\tPine 3\n4\t\tPine 4\n");
    run = RunCompanion(dir, "find --ids trees.tvn maple");
    EXPECT_EQ(run.out, "2\t\tMaple\n") << "a copy of an earlier tree's identifier is none";
    run = RunCompanion(dir, "find --ids trees.tvn birch");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    run = RunCompanion(dir, "find --help");
    EXPECT_NE(run.out.find("--ids"), std::string::npos) << run.out;
}

// A terminal acts on escape sequences in a name (a new window title, a cleared
// screen); there they are shown, while a file or a pipe gets the name's own bytes.
TEST(FindCommand, ShowsControlCharactersOnlyOnATerminal)
{
    TempDir dir;
    EntryList entries;
    addEntry(entries, "Pine \x1B]0;owned\x07\x1B[2J C:\\x \xC9rable");
    ASSERT_FALSE(SaveCollectionFile(dir / "trees.tvn", entries));

    const CompanionRun piped = RunCompanion(dir, "find trees.tvn pine");
    EXPECT_EQ(piped.out, "0\tPine \x1B]0;owned\x07\x1B[2J C:\\x \u00C9rable\n");
    const CompanionRun shown = RunCompanionOnTerminal(dir, "find trees.tvn pine");
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out, "0\tPine \\x1b]0;owned\\x07\\x1b[2J C:\\\\x \u00C9rable\n");
}
