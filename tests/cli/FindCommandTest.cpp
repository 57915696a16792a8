#include "core/collection/CollectionFile.h"

#include "support/core/CompanionRun.h"
#include "support/core/TempDir.h"
#include "support/core/TerminalRun.h"

#include <gtest/gtest.h>

using namespace talvane::collection;

namespace {

CBonsaiData& addEntry(EntryList& entries, const std::string& name)
{
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries.back())[CBonsaiData::Name] = name;
    return *entries.back();
}

} // namespace

TEST(FindCommand, PrintsPositionAndNameOfEachMatchOrSaysWhyNot)
{
    TempDir dir;
    EntryList entries;
    addEntry(entries, "\xC9rable 1");
    addEntry(entries, "Pine")[CBonsaiData::History] = "planted near an \xE9rable";
    addEntry(entries, "Olive")[CBonsaiData::IntExt] = "1";
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", entries));

    CompanionRun run = runCompanion(dir, "find trees.tvn ERABLE");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "0\t\u00C9rable 1\n1\tPine\n");
    run = runCompanion(dir, "find trees.tvn \u00E9rable near");
    EXPECT_EQ(run.out, "1\tPine\n");
    run = runCompanion(dir, "find trees.tvn exterior");
    EXPECT_EQ(run.out, "2\tOlive\n");
    for (const char* words : {"birch", "\u6728"}) {
        run = runCompanion(dir, std::string("find trees.tvn ") + words);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");
    }

    writeFileBytes(dir / "bad.tvn", std::string("\x02\x00\xFF\xFF\x00\x00\x0B\x00" "CBonsaiData\x01", 20));
    for (const char* file : {"bad.tvn", "missing.tvn"}) {
        const CompanionRun found = runCompanion(dir, std::string("find ") + file + " pine");
        const CompanionRun dumped = runCompanion(dir, std::string("dump ") + file);
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
    addEntry(entries, "Pine 3")[113] = "kept text";
    addEntry(entries, "Pine 4");
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", entries));

    const CompanionRun run = runCompanion(dir, "find trees.tvn pine --ids");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "0\t" + id + "\tPine 1\n1\t\tPine 2\n2\t\tPine 3\n3\t\tPine 4\n")
        << "a copy of an earlier tree's identifier, and a kept text, are none";
}

// A terminal acts on escape sequences in a name (a new window title, a cleared
// screen); there they are shown, while a file or a pipe gets the name's own bytes.
TEST(FindCommand, ShowsControlCharactersOnlyOnATerminal)
{
    TempDir dir;
    EntryList entries;
    addEntry(entries, "Pine \x1B]0;owned\x07\x1B[2J C:\\x \xC9rable");
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", entries));

    const CompanionRun piped = runCompanion(dir, "find trees.tvn pine");
    EXPECT_EQ(piped.out, "0\tPine \x1B]0;owned\x07\x1B[2J C:\\x \u00C9rable\n");
    const CompanionRun shown = runCompanionOnTerminal(dir, "find trees.tvn pine");
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out, "0\tPine \\x1b]0;owned\\x07\\x1b[2J C:\\\\x \u00C9rable\n");
}
