#include "core/search/CollectionPlaces.h"

#include "support/core/GardenTestTrees.h"

#include <gtest/gtest.h>

using namespace talvane::garden;

TEST(CollectionPlaces, EachPlaceComesOnceInNaturalOrderWithItsFirstTreesKind)
{
    talvane::collection::EntryList entries;
    addGardenTree(entries, "Elm", "", "Bench 10\topen-air\t0");
    addGardenTree(entries, "Fig", "");
    addGardenTree(entries, "Maple", "", "bench 2\tsheltered\t4");
    addGardenTree(entries, "Pine", "", "Bench 10\tgreenhouse\t6");
    addGardenTree(entries, "Olive", "", "Bench 9");
    addGardenTree(entries, "Yew", "", "\xC9tag\xE8re\tindoors\t0");
    addGardenTree(entries, "Ash", "", "Arbour");

    const auto places = talvane::search::collectionPlaces(entries);
    std::vector<std::string> names;
    for (const Place& place : places)
        names.push_back(place.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Arbour", "bench 2", "Bench 9", "Bench 10", "\xC9tag\xE8re"}));
    EXPECT_EQ(places[3], (Place{"Bench 10", PlaceKind::OpenAir, 0})) << "the first tree's kind";
}
