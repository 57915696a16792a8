#include "core/collection/TreeIdentity.h"

#include <gtest/gtest.h>

#include <set>

using namespace talvane::collection;

using namespace talvane;

namespace {

constexpr std::string_view kId = "0f8fad5b-d9cb-469f-a165-70867728950e";
constexpr std::string_view kOtherId = "7c9e6679-7425-40de-944b-e07fc1f90ae7";
constexpr std::string_view kUpper = "0F8FAD5B-D9CB-469F-A165-70867728950E";

EntryList treesWithIds(std::initializer_list<std::string_view> ids)
{
    EntryList entries;
    for (std::string_view id : ids) {
        entries.push_back(std::make_unique<CBonsaiData>());
        (*entries.back())[talvane::collection::kTreeIdField] = id;
    }
    return entries;
}

} // namespace

TEST(TreeIdentity, OnlyTheLowercaseVersion4FormIsAnIdentifier)
{
    std::set<std::string> made;
    for (int i = 0; i < 200; ++i) {
        const std::string id = talvane::collection::newTreeId();
        EXPECT_TRUE(talvane::collection::isWellFormedTreeId(id)) << id;
        made.insert(id);
    }
    EXPECT_EQ(made.size(), 200u);
    EXPECT_TRUE(talvane::collection::isWellFormedTreeId(kId));
    for (std::string_view text : {std::string_view(), kUpper, std::string_view("{0f8fad5b-d9cb-469f-a165-70867728950e}"),
                                  std::string_view("0f8fad5bd9cb469fa16570867728950e"),
                                  std::string_view("0f8fad5b-d9cb-469f-a165-70867728950e\r\n"),
                                  std::string_view("0f8fad5b-d9cb-169f-a165-70867728950e"),  // version 1
                                  std::string_view("0f8fad5b-d9cb-469f-c165-70867728950e"),  // another variant
                                  std::string_view("0f8fad5b-d9cb4-69f-a165-70867728950e")})
        EXPECT_FALSE(talvane::collection::isWellFormedTreeId(text)) << text;
}

// Of two trees with one identifier the first has it, and links find it; the other and
// the trees whose field holds something else have none.
TEST(TreeIdentity, TheFirstHolderHasItDuplicatesMayTakeANewOneOtherTextsAreKept)
{
    EntryList entries = treesWithIds({"", "spare text", kId, kOtherId, kId, kUpper});
    const std::vector<std::string_view> expected = {"", "", kId, kOtherId, "", ""};
    EXPECT_EQ(talvane::collection::treeIds(entries), expected);
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(talvane::collection::treeIdAt(entries, i), expected[i]) << i;
    EXPECT_EQ(talvane::collection::findTree(entries, kId), 2u);
    EXPECT_EQ(talvane::collection::findTree(entries, kUpper), std::nullopt);
    const std::vector<bool> mayGive = {true, false, false, false, true, false};
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(talvane::collection::mayGiveTreeId(entries, i), mayGive[i]) << i;

    talvane::collection::giveMissingTreeIds(entries);
    const auto given = talvane::collection::treeIds(entries);
    EXPECT_EQ(given[2], kId);
    EXPECT_EQ((*entries[1])[talvane::collection::kTreeIdField], "spare text");
    EXPECT_EQ((*entries[5])[talvane::collection::kTreeIdField], kUpper);
    for (std::size_t i : {0, 4})
        EXPECT_TRUE(talvane::collection::isWellFormedTreeId(given[i]) && given[i] != kId) << i;
}
