#include "core/collection/CollectionFile.h"

#include "support/core/CompanionRun.h"
#include "support/core/TerminalRun.h"

#include <gtest/gtest.h>

using namespace talvane::collection;

TEST(ReportCommand, PrintsOneEntryOrAllOfThemAsUtf8Lines)
{
    TempDir dir;
    EntryList entries;
    for (const char* name : {"Maple", "\xC9rable"}) {
        entries.push_back(std::make_unique<CBonsaiData>());
        (*entries.back())[CBonsaiData::Name] = name;
    }
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", entries));

    const CompanionRun one = runCompanion(dir, "report trees.tvn --entry 1");
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(std::count(one.out.begin(), one.out.end(), '\n'), 89);
    EXPECT_NE(one.out.find("\n Name or ID number: \u00C9rable\n"), std::string::npos);

    const CompanionRun all = runCompanion(dir, "report trees.tvn --all");
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 240);

    for (const char* arguments : {"report trees.tvn --entry 2", "report trees.tvn --entry -1", "report missing.tvn --all"}) {
        const CompanionRun refused = runCompanion(dir, arguments);
        EXPECT_EQ(refused.status, 1) << arguments;
        EXPECT_EQ(refused.out, "") << arguments;
        EXPECT_EQ(refused.err.rfind("talvane-cli: ", 0), 0u) << arguments;
    }
}

TEST(ReportCommand, ShowsControlCharactersOnlyOnATerminal)
{
    TempDir dir;
    EntryList entries;
    entries.push_back(std::make_unique<CBonsaiData>());
    const std::string name = "Pine\x1B]0;owned\x07\x1B[2J\\";
    const std::string shownName = "Pine\\x1b]0;owned\\x07\\x1b[2J\\\\";
    (*entries.back())[CBonsaiData::Name] = name;
    (*entries.back())[CBonsaiData::History] = "first\tline\x7F";
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", entries));

    const CompanionRun piped = runCompanion(dir, "report trees.tvn --all");
    const auto at = piped.out.find(" Name or ID number: " + name + "\n");
    ASSERT_NE(at, std::string::npos) << "into a pipe the report keeps its bytes";
    const auto history = piped.out.find("first\tline\x7F");
    ASSERT_NE(history, std::string::npos);

    std::string expected = piped.out;
    expected.replace(history, 11, "first\\tline\\x7f");
    expected.replace(at + 20, name.size(), shownName);
    const CompanionRun shown = runCompanionOnTerminal(dir, "report trees.tvn --all");
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out, expected);
}
