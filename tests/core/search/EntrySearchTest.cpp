#include "collection/CollectionFile.h"
#include "search/EntryOrder.h"

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
