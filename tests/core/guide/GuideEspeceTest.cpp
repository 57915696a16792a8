#include "GuideTestFiles.h"

#include "core/collection/BonsaiData.h"

#include <gtest/gtest.h>

#include <climits>

using namespace talvane::guide;

namespace {

const std::string kInterior = "Int\xE9rieur";
const std::string kExterior = "Ext\xE9rieur";

// The entry fields a species record fills, in the order of kSectionMembers.
constexpr std::size_t kFilledFields[] = {
    CBonsaiData::BotanicalName, CBonsaiData::FrenchName,    CBonsaiData::EnglishName,
    CBonsaiData::NeedPosition,  CBonsaiData::NeedWatering,  CBonsaiData::NeedFertilization,
    CBonsaiData::NeedPruning,   CBonsaiData::NeedWiring,    CBonsaiData::NeedRepotting,
    CBonsaiData::RustZone,      CBonsaiData::NeedWintering, CBonsaiData::NeedSoil,
};

// A guide of four records: A exterior, B interior, a repeat of A's botanical name with
// its own texts and an interior/exterior of neither, and one without a botanical name.
LoadedGuide fourSpecies()
{
    auto repeat = blockLines("C", "neither");
    *std::find(repeat.begin(), repeat.end(), "C|0") = "A|0";
    auto nameless = blockLines("D", kInterior);
    eraseLine(nameless, "D|0");
    auto loaded = loadPlainGuide(joinLines(blockLines("A", kExterior)) + joinLines(blockLines("B", kInterior)) +
                                 joinLines(repeat) + joinLines(nameless));
    EXPECT_EQ(loaded.guide.size(), 4u);
    return loaded;
}

// An entry whose every field holds text, so that the fill shows what it sets and leaves.
void fillWithOldValues(CBonsaiData& entry)
{
    for (std::size_t index = 0; index < CBonsaiData::kFieldCount; ++index)
        entry[index] = "old" + std::to_string(index);
}

bool isFilledField(std::size_t index)
{
    return std::find(std::begin(kFilledFields), std::end(kFilledFields), index) != std::end(kFilledFields);
}

// Name and spare fields keep their old text; every other field not filled from the
// record is empty.
void expectOthersUntouchedOrEmpty(const CBonsaiData& entry)
{
    for (std::size_t index = 0; index < CBonsaiData::kFieldCount; ++index) {
        if (index == CBonsaiData::Name || CBonsaiData::isSpare(index)) {
            EXPECT_EQ(entry[index], "old" + std::to_string(index)) << index;
        } else if (!isFilledField(index) && index != CBonsaiData::IntExt) {
            EXPECT_EQ(entry[index], "") << CBonsaiData::fieldName(index);
        }
    }
}

} // namespace

TEST(GuideEspece, StartsEmptyWithNeitherInteriorNorExterior)
{
    const CGuideEspece species;
    for (const auto member : kSectionMembers)
        EXPECT_EQ(species.*member, "");
    EXPECT_EQ(species.m_strTempMin, "");
    EXPECT_EQ(species.m_nIntExtCode, -1);
}

TEST(GuideEspece, FindsRecordsByPositionOnly)
{
    const auto loaded = fourSpecies();
    const SpeciesGuide& guide = loaded.guide;
    EXPECT_EQ(speciesAt(0, guide), guide[0].get());
    EXPECT_EQ(speciesAt(2, guide), guide[2].get());
    EXPECT_EQ(speciesAt(3, guide), guide[3].get());
    for (int outside : {-1, -2, 4, INT_MAX, INT_MIN})
        EXPECT_EQ(speciesAt(outside, guide), nullptr) << outside;
    EXPECT_EQ(speciesAt(0, SpeciesGuide{}), nullptr);

    // Repeated and empty names are all offered, so that name i is record i.
    EXPECT_EQ(botanicalNames(guide), (std::vector<std::string>{"A|0", "B|0", "A|0", ""}));
    EXPECT_EQ(botanicalNames(SpeciesGuide{}), std::vector<std::string>{});
}

TEST(GuideEspece, FillsAnEntryFromTheRecordAtItsPosition)
{
    const auto loaded = fourSpecies();
    const std::pair<int, const char*> cases[] = {{0, "1"}, {1, "0"}, {2, "-1"}};
    for (const auto& [index, intExt] : cases) {
        const CGuideEspece& species = *loaded.guide[static_cast<std::size_t>(index)];
        CBonsaiData entry;
        fillWithOldValues(entry);
        FillEntryFromGuide(entry, index, "typed name is ignored", loaded.guide);
        for (std::size_t section = 0; section < kSectionMembers.size(); ++section)
            EXPECT_EQ(entry[kFilledFields[section]], species.*kSectionMembers[section]) << index << "/" << section;
        EXPECT_EQ(entry[CBonsaiData::IntExt], intExt);
        EXPECT_EQ(entry[CBonsaiData::MinTemperature], "");
        EXPECT_EQ(entry[CBonsaiData::PH], "");
        expectOthersUntouchedOrEmpty(entry);
    }

    // The repeated name: the second record's own texts, not the first's.
    CBonsaiData entry;
    FillEntryFromGuide(entry, 2, "A|0", loaded.guide);
    EXPECT_EQ(entry[CBonsaiData::BotanicalName], "A|0");
    EXPECT_EQ(entry[CBonsaiData::FrenchName], "C|1");
    EXPECT_EQ(entry[CBonsaiData::NeedSoil], "C|11");
}

TEST(GuideEspece, WithoutARecordOnlyTheTypedBotanicalNameIsKept)
{
    const auto loaded = fourSpecies();
    for (int index : {-1, 4, 1000, -7}) {
        CBonsaiData entry;
        fillWithOldValues(entry);
        // Even a typed name equal to a record's gives none of its texts.
        FillEntryFromGuide(entry, index, "A|0", loaded.guide);
        EXPECT_EQ(entry[CBonsaiData::BotanicalName], "A|0") << index;
        for (std::size_t field : kFilledFields) {
            if (field != CBonsaiData::BotanicalName) {
                EXPECT_EQ(entry[field], "") << index << "/" << CBonsaiData::fieldName(field);
            }
        }
        EXPECT_EQ(entry[CBonsaiData::IntExt], "-1");
        expectOthersUntouchedOrEmpty(entry);
    }

    g_speciesGuide.clear();
    CBonsaiData entry;
    FillEntryFromGuide(entry, 0, "Acer palmatum");
    EXPECT_EQ(entry[CBonsaiData::BotanicalName], "Acer palmatum");
    EXPECT_EQ(entry[CBonsaiData::IntExt], "-1");
}

TEST(GuideEspece, FillingNeverChangesTheRecord)
{
    const auto loaded = fourSpecies();
    const CGuideEspece before = *loaded.guide[1];
    for (int fill = 0; fill < 2; ++fill) {
        CBonsaiData entry;
        FillEntryFromGuide(entry, 1, "", loaded.guide);
        EXPECT_EQ(entry[CBonsaiData::NeedWatering], "B|4");
    }
    const CGuideEspece& after = *loaded.guide[1];
    for (const auto member : kSectionMembers)
        EXPECT_EQ(after.*member, before.*member);
    EXPECT_EQ(after.m_strTempMin, before.m_strTempMin);
    EXPECT_EQ(after.m_nIntExtCode, 0);
}
