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
        (*entries.back())[kTreeIdField] = id;
    }
    return entries;
}

} // namespace

TEST(TreeIdentity, OnlyTheLowercaseVersion4FormIsAnIdentifier)
{
    std::set<std::string> made;
    for (int i = 0; i < 200; ++i) {
        const std::string id = newTreeId();
        EXPECT_TRUE(isWellFormedTreeId(id)) << id;
        made.insert(id);
    }
    EXPECT_EQ(made.size(), 200u);
    EXPECT_TRUE(isWellFormedTreeId(kId));
    for (std::string_view text : {std::string_view(), kUpper, std::string_view("{0f8fad5b-d9cb-469f-a165-70867728950e}"),
                                  std::string_view("0f8fad5bd9cb469fa16570867728950e"),
                                  std::string_view("0f8fad5b-d9cb-469f-a165-70867728950e\r\n"),
                                  std::string_view("0f8fad5b-d9cb-169f-a165-70867728950e"),  // version 1
                                  std::string_view("0f8fad5b-d9cb-469f-c165-70867728950e"),  // another variant
                                  std::string_view("0f8fad5b-d9cb4-69f-a165-70867728950e")})
        EXPECT_FALSE(isWellFormedTreeId(text)) << text;
}

// Of two trees with one identifier the first has it, and links find it; the other and
// the trees whose field holds something else have none.
TEST(TreeIdentity, TheFirstHolderHasItDuplicatesMayTakeANewOneOtherTextsAreKept)
{
    EntryList entries = treesWithIds({"", "spare text", kId, kOtherId, kId, kUpper});
    const std::vector<std::string_view> expected = {"", "", kId, kOtherId, "", ""};
    EXPECT_EQ(treeIds(entries), expected);
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(treeIdAt(entries, i), expected[i]) << i;
    EXPECT_EQ(findTree(entries, kId), 2u);
    EXPECT_EQ(findTree(entries, kUpper), std::nullopt);
    const std::vector<bool> mayGive = {true, false, false, false, true, false};
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(mayGiveTreeId(entries, i), mayGive[i]) << i;

    // Trees made from outside, taken in turn: the empty field and the second holder of an
    // identifier are to get a new one; any other text is kept.
    TreeIdsSeen seen;
    const std::vector<bool> needsNew = {true, false, false, false, true, false};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string_view text = std::as_const(*entries[i])[kTreeIdField];
        EXPECT_EQ(seen.needsNewId(text), needsNew[i]) << i;
        seen.note(text);
    }
}
