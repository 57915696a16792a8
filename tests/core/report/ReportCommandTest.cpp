#include "collection/CollectionFile.h"

#include "core/CompanionRun.h"

#include <gtest/gtest.h>

TEST(ReportCommand, PrintsOneEntryOrAllOfThemAsUtf8Lines)
{
    TempDir dir;
    EntryList entries;
    for (const char* name : {"Maple", "\xC9rable"}) {
        entries.push_back(std::make_unique<CBonsaiData>());
        (*entries.back())[CBonsaiData::Name] = name;
    }
    ASSERT_FALSE(SaveCollectionFile(dir / "trees.tvn", entries));

    const CompanionRun one = RunCompanion(dir, "report trees.tvn --entry 1");
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(std::count(one.out.begin(), one.out.end(), '\n'), 89);
    EXPECT_NE(one.out.find("\n Name or ID number: \u00C9rable\n"), std::string::npos);

    const CompanionRun all = RunCompanion(dir, "report trees.tvn --all");
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 240);

    for (const char* arguments : {"report trees.tvn --entry 2", "report trees.tvn --entry -1", "report missing.tvn --all"}) {
        const CompanionRun refused = RunCompanion(dir, arguments);
        EXPECT_EQ(refused.status, 1) << arguments;
        EXPECT_EQ(refused.out, "") << arguments;
        EXPECT_EQ(refused.err.rfind("talvane-cli: ", 0), 0u) << arguments;
    }
}
