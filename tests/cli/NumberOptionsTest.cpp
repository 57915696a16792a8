#include "core/collection/CollectionFile.h"

#include "support/core/CompanionRun.h"
#include "support/core/ProjectVersion.h"

#include <gtest/gtest.h>

using namespace talvane::collection;

namespace {

struct BadNumber {
    std::string arguments;
    std::string message;
};

std::string within(const std::string& given)
{
    return "--within must be a whole number of days from 0 to 3650, not \u201C" + given + "\u201D.";
}

std::string entry(const std::string& given)
{
    return "--entry must be an entry number from 0 to 4294967294, not \u201C" + given + "\u201D.";
}

class NumberOptions : public ::testing::Test {
protected:
    void SetUp() override
    {
        EntryList entries;
        for (const char* name : {"Maple", "Pine"}) {
            entries.push_back(std::make_unique<CBonsaiData>());
            (*entries.back())[CBonsaiData::Name] = name;
        }
        ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", entries));
        before = readFileBytes(dir / "trees.tvn");
    }

    TempDir dir;
    std::string before;
};

} // namespace

TEST_F(NumberOptions, EveryWrongNumberGetsOneLineAndStatusOne)
{
    // The rules of reading are the core's; here each command's options go through them.
    const BadNumber table[] = {
        {"due trees.tvn --within -5", within("-5")},
        {"due trees.tvn --within ''", within("")},
        {"due trees.tvn --within=7d", within("7d")},
        {"report trees.tvn --entry x", entry("x")},
        {"journal trees.tvn --entry x", entry("x")},
        {"timeline trees.tvn --entry ' 1'", entry(" 1")},
        {"photo-add trees.tvn --entry one a.jpg", entry("one")},
        {"passport-export trees.tvn --entry +1 out.tvp", entry("+1")},
        {"serve trees.tvn --port 65536", "--port must be a port number from 0 to 65535, not \u201C65536\u201D."},
        {"bmp a.bmp --bpp 7", "--bpp must be a depth in bits of 0, 8 or 32, not \u201C7\u201D."},
        {"due trees.tvn --within \"$(printf '3\\033[2J')\"", within("3\\x1b[2J")},
    };
    for (const BadNumber& bad : table) {
        const CompanionRun run = runCompanion(dir, bad.arguments);
        EXPECT_EQ(run.status, 1) << bad.arguments;
        EXPECT_EQ(run.err, "talvane-cli: " + bad.message + "\n") << bad.arguments;
        EXPECT_EQ(run.out, "") << bad.arguments;
    }
    EXPECT_EQ(readFileBytes(dir / "trees.tvn"), before);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.tvp"));
}

TEST_F(NumberOptions, GoodNumbersAreReadInDecimal)
{
    const CompanionRun padded = runCompanion(dir, "report trees.tvn --entry 01");
    ASSERT_EQ(padded.status, 0) << padded.err;
    EXPECT_NE(padded.out.find(" Name or ID number: Pine\n"), std::string::npos);

    // Read as C reads numbers, 010 would be entry 8.
    const CompanionRun octal = runCompanion(dir, "report trees.tvn --entry 010");
    EXPECT_EQ(octal.status, 1);
    EXPECT_EQ(octal.err, "talvane-cli: trees.tvn: there is no entry 10 (the collection has 2, counted from 0)\n");

    for (const char* days : {"0", "3650"}) {
        const CompanionRun due = runCompanion(dir, std::string("due trees.tvn --today 2026-12-21 --within ") + days);
        EXPECT_EQ(due.status, 0) << due.err;
        EXPECT_EQ(due.err, "");
    }
}

TEST(ProgramVersion, TalvaneCliSaysItsVersionOnOneLine)
{
    TempDir dir;
    const CompanionRun run = runCompanion(dir, "--version");
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_FALSE(projectVersion().empty());
    EXPECT_EQ(run.out, "talvane-cli " + projectVersion() + "\n");
    EXPECT_EQ(run.err, "");
}
