#include "core/collection/BonsaiData.h"
#include "core/collection/CollectionArchive.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

using namespace talvane::collection;

// Views of a field must stay readable as long as their entry lives, whatever
// is written to the entry or done to the list that holds it.
TEST(BonsaiData, FieldViewsOutliveRewritesAndChangesToTheList)
{
    EntryList entries;
    std::vector<std::string_view> names;
    for (int i = 0; i < 40; ++i) {
        entries.push_back(std::make_unique<CBonsaiData>());
        (*entries.back())[CBonsaiData::Name] = "Tree " + std::to_string(i);
        names.push_back(std::as_const(*entries.back())[CBonsaiData::Name]);
    }
    CBonsaiData& kept = *entries[7];
    const std::string_view history = kept[CBonsaiData::History] = std::string(300, 'h');
    // Many rewrites of every field chain several blocks behind the first one.
    for (int round = 0; round < 30; ++round) {
        for (std::size_t field = 0; field < CBonsaiData::kFieldCount; ++field)
            kept[field] = std::to_string(round) + ":" + std::to_string(field) + std::string(field % 9, 'x');
    }
    entries.erase(entries.begin(), entries.begin() + 5);
    entries.insert(entries.begin() + 1, std::make_unique<CBonsaiData>());
    entries.resize(30);

    EXPECT_EQ(names[7], "Tree 7");
    EXPECT_EQ(names[29], "Tree 29");
    EXPECT_EQ(history, std::string(300, 'h'));
    for (std::size_t field = 0; field < CBonsaiData::kFieldCount; ++field)
        EXPECT_EQ(kept[field], "29:" + std::to_string(field) + std::string(field % 9, 'x')) << field;

    // An empty text reads back as empty, including the IntExt default.
    kept[CBonsaiData::IntExt].clear();
    kept[CBonsaiData::Name] = "";
    EXPECT_TRUE(kept[CBonsaiData::IntExt].empty());
    EXPECT_EQ(kept[CBonsaiData::Name].size(), 0u);
}

TEST(BonsaiData, FieldsWrittenFromTheirOwnEntryAndBinaryBytes)
{
    CBonsaiData a;
    // One field written from another of the same entry, which may move to a new block.
    a[CBonsaiData::History] = std::string(500, 'y');
    a[CBonsaiData::ToDo] = a[CBonsaiData::History];
    EXPECT_EQ(a[CBonsaiData::ToDo], std::string(500, 'y'));

    // Bytes are kept as they are, zero bytes included.
    const std::string binary("\x00\xFF\x81\r\n", 5);
    a[CBonsaiData::Photo1Description] = binary;
    EXPECT_EQ(std::string(a[CBonsaiData::Photo1Description]), binary);
}

TEST(BonsaiData, AReaderBuildsAnEntryOfExactlyItsTexts)
{
    std::array<std::string_view, CBonsaiData::kFieldCount> texts{};
    texts[CBonsaiData::Species] = "Acer";
    const auto built = CBonsaiData::fromTexts(texts);
    for (std::size_t field = 0; field < CBonsaiData::kFieldCount; ++field)
        EXPECT_EQ((*built)[field], field == CBonsaiData::Species ? "Acer" : "") << field;
}

// A field's Windows-1252 bytes reach UTF-8 text only through a visible call: a field is
// no std::string by itself, and nothing that takes a byte array's data() takes one.
template <typename T>
concept TakesData = requires(const T& text) { text.data(); };
static_assert(!std::is_convertible_v<CBonsaiData::FieldText, std::string>);
static_assert(!std::is_convertible_v<CBonsaiData::FieldRef, std::string>);
static_assert(std::is_constructible_v<std::string, CBonsaiData::FieldText>);
static_assert(std::is_convertible_v<CBonsaiData::FieldText, std::string_view>);
static_assert(!TakesData<CBonsaiData::FieldText>);
