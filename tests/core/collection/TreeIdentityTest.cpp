#include "collection/TreeIdentity.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

using namespace talvane;

namespace {

constexpr std::string_view kId = "0f8fad5b-d9cb-469f-a165-70867728950e";
constexpr std::string_view kOtherId = "7c9e6679-7425-40de-944b-e07fc1f90ae7";

EntryList TreesWithIds(std::initializer_list<std::string_view> ids)
{
    EntryList entries;
    for (std::string_view id : ids) {
        entries.push_back(std::make_unique<CBonsaiData>());
        (*entries.back())[kTreeIdField] = id;
    }
    return entries;
}

} // namespace

TEST(TreeIdentity, NewIdentifiersAreRandomVersion4UuidsInLowercaseText)
{
    std::set<std::string> made;
    std::array<std::set<char>, 36> digitsSeen;
    for (int i = 0; i < 500; ++i) {
        const std::string id = newTreeId();
        ASSERT_TRUE(isWellFormedTreeId(id)) << id;
        made.insert(id);
        for (std::size_t c = 0; c < id.size(); ++c)
            digitsSeen[c].insert(id[c]);
    }
    EXPECT_EQ(made.size(), 500u);
    for (std::size_t c = 0; c < 36; ++c) {
        if (c == 8 || c == 13 || c == 18 || c == 23)
            EXPECT_EQ(digitsSeen[c], std::set<char>{'-'}) << c;
        else if (c == 14)
            EXPECT_EQ(digitsSeen[c], std::set<char>{'4'});
        else if (c == 19)
            EXPECT_EQ(digitsSeen[c], (std::set<char>{'8', '9', 'a', 'b'}));
        else
            EXPECT_EQ(digitsSeen[c].size(), 16u) << "every hex digit turns up at " << c;
    }
}

TEST(TreeIdentity, OnlyTheExactLowercaseFormIsWellFormed)
{
    EXPECT_TRUE(isWellFormedTreeId(kId));
    EXPECT_TRUE(isWellFormedTreeId("00000000-0000-4000-b000-000000000000"));
    for (std::string_view text : {
             "",
             "0F8FAD5B-D9CB-469F-A165-70867728950E", // uppercase
             "0f8fad5b-d9cb-469f-A165-70867728950e",
             "{0f8fad5b-d9cb-469f-a165-70867728950e}",
             "0f8fad5bd9cb469fa16570867728950e",
             "0f8fad5b-d9cb-469f-a165-70867728950",   // 35 characters
             "0f8fad5b-d9cb-469f-a165-70867728950e0", // 37
             "0f8fad5b-d9cb-469f-a165-70867728950e\r\n",
             "0f8fad5b-d9cb-169f-a165-70867728950e",  // version 1
             "0f8fad5b-d9cb-469f-c165-70867728950e",  // another variant
             "0f8fad5b-d9cb-469f-a165-7086772895g0",
             "0f8fad5b-d9cb4-69f-a165-70867728950e",
             "0f8fad5b-d9cb-469f-a165_70867728950e",
         })
        EXPECT_FALSE(isWellFormedTreeId(text)) << text;
    EXPECT_FALSE(isWellFormedTreeId(std::string_view("0f8fad5b-d9cb-469f-a165-70867728950\0", 36)));
}

TEST(TreeIdentity, TheFirstHolderOfAnIdentifierHasItAndMalformedTextsCountAsNone)
{
    const std::string upper = "0F8FAD5B-D9CB-469F-A165-70867728950E";
    const EntryList entries = TreesWithIds({"", "spare text", kId, kOtherId, kId, upper, kOtherId});
    const std::vector<std::string_view> expected = {"", "", kId, kOtherId, "", "", ""};
    EXPECT_EQ(treeIds(entries), expected);
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(treeIdAt(entries, i), expected[i]) << i;

    EXPECT_EQ(findTree(entries, kId), 2u) << "links go to the first of the duplicates";
    EXPECT_EQ(findTree(entries, kOtherId), 3u);
    EXPECT_EQ(findTree(entries, upper), std::nullopt);
    EXPECT_EQ(findTree(entries, "spare text"), std::nullopt);
    EXPECT_EQ(findTree(entries, ""), std::nullopt);
    EXPECT_EQ(findTree(entries, "11111111-2222-4333-8444-555555555555"), std::nullopt);
    EXPECT_EQ(findTree(EntryList{}, kId), std::nullopt);

    // Empty fields and later duplicates may take one; holders and kept texts may not.
    const std::vector<bool> mayGive = {true, false, false, false, true, false, true};
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(mayGiveTreeId(entries, i), mayGive[i]) << i;
    EXPECT_TRUE(mayGiveTreeId(entries, entries.size(), kId)) << "a new tree after the holder";
    EXPECT_FALSE(mayGiveTreeId(entries, 2, kId)) << "nothing before position 2 holds it";
    EXPECT_FALSE(mayGiveTreeId(entries, entries.size(), "x"));
}

TEST(TreeIdentity, MissingIdentifiersAreGivenAndEveryOtherTextKept)
{
    EntryList entries = TreesWithIds({"", kId, "not an id", kId, "", kOtherId, kOtherId});
    giveMissingTreeIds(entries);
    auto field = [&](std::size_t i) { return std::string((*entries[i])[kTreeIdField]); };
    EXPECT_EQ(field(1), kId);
    EXPECT_EQ(field(2), "not an id");
    EXPECT_EQ(field(5), kOtherId);
    std::set<std::string> ids;
    for (std::size_t i : {0, 1, 3, 4, 5, 6}) {
        EXPECT_TRUE(isWellFormedTreeId(field(i))) << i;
        ids.insert(field(i));
    }
    EXPECT_EQ(ids.size(), 6u) << "the duplicates got identifiers of their own";
    EXPECT_EQ(treeIds(entries)[3], field(3));

    // A large collection of copies is put right in one pass.
    EntryList copies;
    for (int i = 0; i < 50000; ++i) {
        copies.push_back(std::make_unique<CBonsaiData>());
        (*copies.back())[kTreeIdField] = kId;
    }
    giveMissingTreeIds(copies);
    const auto given = treeIds(copies);
    EXPECT_EQ(std::set<std::string_view>(given.begin(), given.end()).size(), copies.size());
    EXPECT_EQ(given.front(), kId);
}
