#include "core/collection/CollectionFile.h"

#include "support/core/CompanionRun.h"
#include "support/core/JournalTestTrees.h"
#include "support/core/TempDir.h"
#include "support/core/TerminalRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace talvane::collection;

using namespace talvane::journal;
using namespace std::string_literals;

TEST(JournalCommands, JournalAndDueOverACollection)
{
    TempDir dir;
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", twoTrees()));

    const CompanionRun pine = runCompanion(dir, "journal trees.tvn --entry 1");
    ASSERT_EQ(pine.status, 0) << pine.err;
    const auto json = nlohmann::json::parse(pine.out);
    EXPECT_EQ(json["readable"], true);
    ASSERT_EQ(json["events"].size(), 2u);
    EXPECT_EQ(json["events"][0]["date"], "2026-12-01");
    EXPECT_EQ(json["events"][1], nlohmann::json::parse(R"({"line":0,"date":"2026-11-30","kind":"Wiring",
        "due":"2026-12-20","picture":"pine.bmp","text":"wired\tthe apex"})"));
    EXPECT_EQ(json["unreadableLines"], nlohmann::json::parse(R"([{"line":2,"text":"2027-02-30\tNote\t\t\tno such day"}])"));

    const CompanionRun maple = runCompanion(dir, "journal trees.tvn --entry 0");
    const auto foreign = nlohmann::json::parse(maple.out);
    EXPECT_EQ(foreign["name"], "\u00C9rable");
    EXPECT_EQ(foreign["readable"], false);
    EXPECT_EQ(foreign["events"].size(), 0u);

    const CompanionRun due = runCompanion(dir, "due trees.tvn --today 2026-12-21 --within 5 --ics care.ics");
    ASSERT_EQ(due.status, 0) << due.err;
    EXPECT_EQ(due.out, "2026-12-20  overdue  Pine: Wiring, wired\tthe apex (entry 1)\n"
                       "1 care task due in the next 5 days\n"
                       "2 pending care tasks written to care.ics\n");
    EXPECT_NE(readFileBytes(dir / "care.ics").find("DTSTART;VALUE=DATE:20270301"), std::string::npos);
}

TEST(JournalCommands, DamagedFilesFailLikeDump)
{
    TempDir dir;
    writeFileBytes(dir / "damaged.tvn", std::string("\x02\x00\xFF\xFF\x00\x00\x0B\x00" "CBonsaiData\x05" "ab", 22));
    const CompanionRun dump = runCompanion(dir, "dump damaged.tvn");
    ASSERT_EQ(dump.status, 1);
    ASSERT_FALSE(dump.err.empty());
    for (const char* arguments : {"journal damaged.tvn --entry 0", "due damaged.tvn", "due damaged.tvn --ics care.ics"}) {
        const CompanionRun run = runCompanion(dir, arguments);
        EXPECT_EQ(run.status, dump.status) << arguments;
        EXPECT_EQ(run.err, dump.err) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
    }
    EXPECT_EQ(folderNames(dir.path()), std::vector<std::string>{"damaged.tvn"});
    EXPECT_EQ(runCompanion(dir, "due damaged.tvn --today 2027-02-30").err,
              "talvane-cli: --today 2027-02-30: not a date of the form YYYY-MM-DD\n");
}

TEST(JournalCommands, DueShowsControlCharactersOnlyOnATerminal)
{
    TempDir dir;
    EntryList entries;
    addTree(entries, "Pine\x1B]0;owned\x07", {{day("2026-12-01"), CareKind::Wiring, day("2026-12-20"), {}, "wired\x1B[31m\\\r\nthe apex", {}, {}, {}}});
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", entries));

    const std::string arguments = "due trees.tvn --today 2026-12-01";
    EXPECT_EQ(runCompanion(dir, arguments).out, "2026-12-20           Pine\x1B]0;owned\x07: Wiring, wired\x1B[31m\\ (entry 0)\n"
                                                 "1 care task due in the next 30 days\n");
    const CompanionRun shown = runCompanionOnTerminal(dir, arguments);
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out, "2026-12-20           Pine\\x1b]0;owned\\x07: Wiring, wired\\x1b[31m\\\\ (entry 0)\n"
                         "1 care task due in the next 30 days\n");
}
