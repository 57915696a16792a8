#include "core/garden/Place.h"

#include "support/core/GardenTestTrees.h"

#include <gtest/gtest.h>

using namespace talvane::garden;

TEST(Place, TheFieldRoundTripsAndBadTextReadsAsTheOpenAir)
{
    EXPECT_EQ(placeFieldText(placeOfKind("Bench 1", PlaceKind::OpenAir)), "Bench 1\topen-air\t0");
    EXPECT_EQ(placeFieldText(placeOfKind("Frame", PlaceKind::Sheltered)), "Frame\tsheltered\t4");
    EXPECT_EQ(placeFieldText(placeOfKind("Serre", PlaceKind::UnheatedGreenhouse)), "Serre\tgreenhouse\t6");
    for (const Place& place : {Place{"Serre \xE9t\xE9", PlaceKind::UnheatedGreenhouse, 8}, Place{"Shelf", PlaceKind::Indoors, -3},
                               placeOfKind("Heated", PlaceKind::HeatedGreenhouse)})
        EXPECT_EQ(readPlace(placeFieldText(place)), place) << place.name;
    // Tabs and line ends would end the name early.
    EXPECT_EQ(placeFieldText({"Back\twall\r\n", PlaceKind::Sheltered, 3}), "Backwall\tsheltered\t3");

    EXPECT_FALSE(readPlace(""));
    EXPECT_FALSE(readPlace("\tsheltered\t4"));
    const Place frame{"Frame"};
    for (const char* bad : {"Frame", "Frame\tcold-frame\t4", "Frame\tsheltered\tfour", "Frame\tsheltered",
                            "Frame\tsheltered\t4\textra", "Frame\tsheltered\t 4", "Frame\tsheltered\t999", "Frame\t\t"})
        EXPECT_EQ(readPlace(bad), frame) << bad;
    for (PlaceKind kind : kPlaceKinds)
        EXPECT_EQ(placeKindFromKey(placeKindKey(kind)), kind);
    EXPECT_FALSE(placeKindFromKey("Open-air"));
}

TEST(Place, TreesAreFoundAtAPlaceByItsExactName)
{
    talvane::collection::EntryList entries;
    addGardenTree(entries, "Elm", "", "Bench 10\topen-air\t0");
    addGardenTree(entries, "Fig", "");
    addGardenTree(entries, "Pine", "", "Bench 10\tgreenhouse\t6");
    EXPECT_EQ(treesAt(entries, "Bench 10"), (std::vector<std::size_t>{0, 2}));
    EXPECT_TRUE(treesAt(entries, "bench 10").empty());
    EXPECT_TRUE(treesAt(entries, "").empty());
}
