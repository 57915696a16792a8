#include "core/collection/CollectionFile.h"

#include "support/core/JournalTestTrees.h"
#include "support/core/TempDir.h"

#include <gtest/gtest.h>

using namespace talvane::collection;

using namespace talvane::journal;
using namespace std::string_literals;

TEST(JournalCollection, AForeignFieldSurvivesEditsOfAnotherTreeAndASave)
{
    TempDir dir;
    EntryList entries = twoTrees();
    Journal pine = Journal::read((*entries[1])[kJournalField]);
    ASSERT_TRUE(pine.markDone(0, day("2026-12-18")));
    (*entries[1])[kJournalField] = pine.text();
    ASSERT_FALSE(Journal::read((*entries[0])[kJournalField]).add(Journal::read((*entries[1])[kJournalField]).newestFirst()[0].event));
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", entries));

    EntryList reread;
    ASSERT_FALSE(loadCollectionFile(dir / "trees.tvn", reread));
    EXPECT_EQ((*reread[0])[kJournalField], kForeign);
    EXPECT_EQ((*reread[1])[kJournalField], pine.text());
    EXPECT_EQ(Journal::read((*reread[1])[kJournalField]).lines().size(), 4u);
}
