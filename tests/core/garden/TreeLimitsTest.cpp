#include "core/garden/SpeciesTable.h"
#include "core/garden/TreeLimits.h"

#include "support/core/GardenTestTrees.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

using namespace talvane::garden;

namespace {

SpeciesNeeds needsOf(const std::string& botanicalName, const char* intExt = "1")
{
    CBonsaiData tree;
    tree[CBonsaiData::BotanicalName] = botanicalName;
    tree[CBonsaiData::IntExt] = intExt;
    return speciesNeeds(tree);
}

} // namespace

TEST(TreeLimits, FoundBySpeciesThenGenusElseTheInteriorOrExteriorDefault)
{
    const SpeciesNeeds maple = needsOf("acer PALMATUM 'Deshojo'");
    EXPECT_TRUE(maple.fromTable);
    EXPECT_EQ(maple.limits, (TemperatureLimits{-10, 32}));
    EXPECT_EQ(needsOf("  Acer   buergerianum").limits, (TemperatureLimits{-5, 38}));
    EXPECT_EQ(needsOf("Acer buergerianum").vigour, Vigour::Fast);
    EXPECT_EQ(needsOf("Juniperus procumbens 'Nana'").limits, (TemperatureLimits{-10, 36}));
    EXPECT_EQ(needsOf("Pinus densiflora").limits, needsOf("Pinus thunbergii").limits) << "the genus's first species";
    EXPECT_TRUE(needsOf("Ficus retusa", "1").fromTable);
    EXPECT_EQ(needsOf("Ficus retusa", "1").limits.lowest, 10);

    for (const char* exterior : {"1", "", "-1"}) {
        const SpeciesNeeds oak = needsOf("Quercus robur", exterior);
        EXPECT_FALSE(oak.fromTable);
        EXPECT_EQ(oak.limits, (TemperatureLimits{-5, 35})) << exterior;
        EXPECT_EQ(oak.vigour, Vigour::Medium);
    }
    EXPECT_EQ(needsOf("", "0").limits, (TemperatureLimits{10, 35}));
    EXPECT_EQ(needsOf("Acerola", "0").limits, (TemperatureLimits{10, 35})) << "a genus is a whole word";

    CBonsaiData own;
    own[CBonsaiData::BotanicalName] = "Acer palmatum";
    own[kWatchField] = "low=-2;wirechecked=2026-08-01";
    EXPECT_EQ(treeLimits(own), (TemperatureLimits{-2, 32}));
}

TEST(TreeLimits, EverySpeciesOfTheShippedGuideHasItsOwnRow)
{
    std::ifstream guide(TALVANE_SOURCE_DIR "/data/esspef.txt", std::ios::binary);
    ASSERT_TRUE(guide);
    std::vector<std::string> species;
    for (std::string line; std::getline(guide, line);)
        if (line.starts_with("[Nom botanique]") && std::getline(guide, line))
            species.push_back(line.substr(0, line.find(" '")));
    EXPECT_EQ(species.size(), speciesTable().size());
    for (const std::string& name : species) {
        EXPECT_TRUE(std::ranges::any_of(speciesTable(), [&](const SpeciesRow& row) { return row.species == name; }))
            << name;
        const SpeciesNeeds needs = needsOf(name);
        EXPECT_LT(needs.limits.lowest, needs.limits.highest) << name;
    }
}

TEST(TreeWatch, ItemsRoundTripAndWhatIsNotReadIsKeptAfterThem)
{
    const std::string full = "low=-5;high=35;wirechecked=2026-08-01;wiresnoozed=2026-08-10";
    const TreeWatch watch = readTreeWatch(full);
    EXPECT_EQ(watch.lowest, -5);
    EXPECT_EQ(watch.highest, 35);
    EXPECT_EQ(watch.wireChecked, day("2026-08-01"));
    EXPECT_EQ(watch.wireSnoozed, day("2026-08-10"));
    EXPECT_EQ(treeWatchText(watch), full);

    const TreeWatch unordered = readTreeWatch("wiresnoozed=2026-08-10;shade=50%;low=-3;;");
    EXPECT_EQ(unordered.lowest, -3);
    EXPECT_EQ(unordered.unknownItems, "shade=50%");
    EXPECT_EQ(treeWatchText(unordered), "low=-3;wiresnoozed=2026-08-10;shade=50%");

    const TreeWatch malformed = readTreeWatch("low=cold;high=35;high=40;wirechecked=2026-02-30;low=-500;note");
    EXPECT_FALSE(malformed.lowest);
    EXPECT_EQ(malformed.highest, 35);
    EXPECT_FALSE(malformed.wireChecked);
    EXPECT_EQ(treeWatchText(malformed), "high=35;low=cold;high=40;wirechecked=2026-02-30;low=-500;note");
    EXPECT_EQ(readTreeWatch(treeWatchText(malformed)), malformed);

    EXPECT_EQ(readTreeWatch(""), TreeWatch{});
    EXPECT_EQ(treeWatchText(TreeWatch{}), "");
}
