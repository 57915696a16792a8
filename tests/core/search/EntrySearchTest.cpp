#include "core/collection/CollectionFile.h"
#include "core/garden/Place.h"
#include "core/journal/Journal.h"
#include "core/search/EntryOrder.h"
#include "core/timeline/TimelinePhoto.h"

#include <gtest/gtest.h>

using namespace talvane::collection;

using namespace talvane::search;

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

namespace {

using talvane::journal::CalendarDate;
using talvane::journal::CareEvent;
using talvane::journal::CareKind;
using talvane::journal::Journal;

CareEvent event(CareKind kind, std::string text, std::string picture = {})
{
    return {CalendarDate::fromText("2021-05-01").value(), kind, {}, std::move(picture), std::move(text), {}, {}, {}};
}

std::string journalOf(std::initializer_list<CareEvent> events)
{
    Journal journal = Journal::read("");
    for (const CareEvent& added : events)
        journal.add(added);
    return journal.text();
}

} // namespace

TEST(EntryOrder, PurchasedListsDatesByDateThenOtherTextsThenEmptyOnesInEitherDirection)
{
    EntryList entries;
    for (const char* purchased : {"Spring 2010", "garden centre", "", "12 March 2016", "2014-06-01", "June 2014",
                                  "06/2009", "Abbey sale", "31 June 2014"})
        addEntry(entries, "Tree")[CBonsaiData::PurchaseDate] = purchased;
    const auto at = entryIn(entries);
    EXPECT_EQ(sortedPositions(entries.size(), at, ListColumn::Purchased, false),
              (std::vector<std::size_t>{6, 0, 5, 4, 3, 8, 7, 1, 2}));
    EXPECT_EQ(sortedPositions(entries.size(), at, ListColumn::Purchased, true),
              (std::vector<std::size_t>{3, 4, 5, 0, 6, 1, 7, 8, 2}));
}

TEST(ListColumns, PhotosCountsTheAlbumAndTheTimelineAsTheirWindowsShowThem)
{
    EntryList entries;
    CBonsaiData& tree = addEntry(entries, "Maple");
    tree[CBonsaiData::Photo1] = "maple1.bmp";
    tree[CBonsaiData::Photo2] = "maple2.bmp";
    tree[talvane::journal::kJournalField] =
        journalOf({event(CareKind::Photo, "", "Photos/IMG_0001.jpg"), event(CareKind::Note, "", "maple1.bmp"),
                   event(CareKind::Pruning, "no picture"), event(CareKind::Photo, "", "Photos/../escape.jpg"),
                   event(CareKind::Photo, "", "tab\there.jpg")}) +
        "\r\n2021-13-01\tPhoto\t\tPhotos/unreadable.jpg\t\r\n2021-05-01\tPhoto\t\tPhotos/IMG_0002.jpg\tlater";
    const std::size_t timeline =
        talvane::timeline::timelinePhotos(Journal::read(tree[talvane::journal::kJournalField])).size();
    EXPECT_EQ(timeline, 3u);
    EXPECT_EQ(photoCount(tree).album, 2u);
    EXPECT_EQ(photoCount(tree).timeline, timeline);
    EXPECT_EQ(listColumnText(tree, ListColumn::Photos), "5");

    CBonsaiData& foreign = addEntry(entries, "Pine");
    foreign[talvane::journal::kJournalField] = "2021-05-01\tPhoto\t\tPhotos/IMG_0001.jpg\t";
    EXPECT_EQ(photoCount(foreign).timeline, 0u) << "a field that is no journal names no photo";
    EXPECT_EQ(sortedPositions(2, entryIn(entries), ListColumn::Photos, true), (std::vector<std::size_t>{0, 1}));
}

TEST(EntryMatcher, FindsWordsInTheJournalsEventsAndKindsButNotInItsOtherColumns)
{
    EntryList entries;
    addEntry(entries, "Tree 1")[talvane::journal::kJournalField] =
        journalOf({event(CareKind::Note, "Wrapped the trunk in cloth for winter")});
    addEntry(entries, "Tree 2")[talvane::journal::kJournalField] =
        journalOf({event(CareKind::Pruning, "Cut back"), event(CareKind::Wiring, "First branches")});
    addEntry(entries, "Tree 3")[talvane::journal::kJournalField] = journalOf({event(CareKind::Note, "line\nCL\xD6TH")});
    addEntry(entries, "Tree 4")[talvane::journal::kJournalField] = "Wrapped in cloth (another program's notes)";
    addEntry(entries, "Tree 5")[talvane::journal::kJournalField] =
        journalOf({event(CareKind::Photo, "seen from the left", "Photos/cloth 2021.jpg")});
    addEntry(entries, "Tree 6")[talvane::journal::kJournalField] = journalOf({event(CareKind::Note, "pot a\\b")});
    addEntry(entries, "Tree 7")[CBonsaiData::PlantNotes] = "Cloth";
    addEntry(entries, "Tree 8")[talvane::journal::kJournalField] = "TVJ1\r\n2021-13-01\tNote\t\t\tcloth";

    EXPECT_EQ(findEntries(entries, EntryMatcher("cloth")), (std::vector<std::size_t>{0, 2, 6}))
        << "a foreign field, a picture's name and a line this version cannot read hold no event's words";
    EXPECT_EQ(findEntries(entries, EntryMatcher("CL\xD6TH winter")), (std::vector<std::size_t>{0}));
    EXPECT_EQ(findEntries(entries, EntryMatcher("nclo")), (std::vector<std::size_t>{}))
        << "a line break in a text is no letter n";
    EXPECT_EQ(findEntries(entries, EntryMatcher("a\\b")), (std::vector<std::size_t>{5}));
    EXPECT_EQ(findEntries(entries, EntryMatcher("2021")), (std::vector<std::size_t>{}))
        << "dates and picture names are not the events' words";
    EXPECT_EQ(findEntries(entries, EntryMatcher("wiring branches")), (std::vector<std::size_t>{1}));
    EXPECT_EQ(findEntries(entries, EntryMatcher("photo")), (std::vector<std::size_t>{4}));

    const talvane::text::Words french = [](std::string_view english) {
        return english == "Wiring" ? std::string("Ligature") : std::string(english);
    };
    EXPECT_EQ(findEntries(entries, EntryMatcher("ligature")), (std::vector<std::size_t>{}));
    EXPECT_EQ(findEntries(entries, EntryMatcher("LIGATURE", french)), (std::vector<std::size_t>{1}));
    EXPECT_EQ(findEntries(entries, EntryMatcher("wiring", french)), (std::vector<std::size_t>{1}))
        << "the names as stored are found in any language";
}

TEST(EntryMatcher, FindsTheNameOfATreesPlaceAndPlaceWordsOnlyThere)
{
    EntryList entries;
    addEntry(entries, "Maple")[talvane::garden::kPlaceField] = "Bench 1\topen-air\t0";
    addEntry(entries, "Pine")[talvane::garden::kPlaceField] = "Serre \xE9t\xE9\tgreenhouse\t6";
    addEntry(entries, "Bench grown elm");
    addEntry(entries, "Juniper")[talvane::garden::kPlaceField] = "\tgreenhouse\t6";
    EXPECT_EQ(findEntries(entries, EntryMatcher("bench")), (std::vector<std::size_t>{0, 2})) << "the place, as any field";
    EXPECT_EQ(findEntries(entries, EntryMatcher("PLACE:bench")), (std::vector<std::size_t>{0}))
        << "only the place's name, in any case";
    EXPECT_EQ(findEntries(entries, EntryMatcher("place:ETE")), (std::vector<std::size_t>{1})) << "accents ignored";
    EXPECT_EQ(findEntries(entries, EntryMatcher("greenhouse")), (std::vector<std::size_t>{}))
        << "the kind stored beside the name is no word of the place";
    EXPECT_EQ(findEntries(entries, EntryMatcher("place:")), (std::vector<std::size_t>{0, 1})) << "any place, but no nameless one";
    EXPECT_EQ(findEntries(entries, EntryMatcher("place: pine")), (std::vector<std::size_t>{1}));
    EXPECT_EQ(findEntries(entries, EntryMatcher("place:bench place:1 maple")), (std::vector<std::size_t>{0}));
    EXPECT_EQ(findEntries(entries, EntryMatcher("place:bench pine")), (std::vector<std::size_t>{}));
    EXPECT_FALSE(EntryMatcher("place:").matchesEverything());
}

TEST(ListColumns, PlaceShowsThePlacesNameAndSortsInNaturalOrder)
{
    EntryList entries;
    addEntry(entries, "A")[talvane::garden::kPlaceField] = "Bench 10\topen-air\t0";
    addEntry(entries, "B")[talvane::garden::kPlaceField] = "bench 2";
    addEntry(entries, "C");
    addEntry(entries, "D")[talvane::garden::kPlaceField] = "\xC9tag\xE8re\tindoors\t0";
    EXPECT_EQ(listColumnTitle(ListColumn::Place), std::string("Place"));
    EXPECT_EQ(listColumnText(*entries[0], ListColumn::Place), "Bench 10");
    EXPECT_EQ(listColumnText(*entries[3], ListColumn::Place), "\xC9tag\xE8re") << "Windows-1252, as stored";
    EXPECT_EQ(listColumnText(*entries[2], ListColumn::Place), "");
    const auto at = entryIn(entries);
    EXPECT_EQ(sortedPositions(4, at, ListColumn::Place, false), (std::vector<std::size_t>{2, 1, 0, 3}));
    EXPECT_EQ(sortedPositions(4, at, ListColumn::Place, true), (std::vector<std::size_t>{3, 0, 1, 2}));
}
