// The sample collection that ./run.sh opens must work in the program as shipped:
// every photo shows on the album page, every tree is a species of the guide with
// the texts Add would give it, no text is refused by its page, and the timeline
// photos are there, named and dated as the program's own copies are.
#include "core/collection/CollectionFile.h"
#include "core/collection/TreeIdentity.h"
#include "core/guide/GuideEspece.h"
#include "core/guide/GuideLoader.h"
#include "core/journal/Journal.h"
#include "core/picture/AnyPicDecoder.h"
#include "core/picture/TextException.h"
#include "core/picture/WinBmp.h"
#include "core/text/Windows1252.h"
#include "core/timeline/PhotoCopy.h"
#include "core/timeline/PhotoDate.h"
#include "core/timeline/TimelinePhoto.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace talvane::collection;
using namespace talvane::guide;

namespace {

namespace fs = std::filesystem;

const fs::path kDataFolder = TALVANE_SOURCE_DIR "/data";
const fs::path kAlbum = kDataFolder / "Album";
const fs::path kPhotos = kDataFolder / "Photos";

EntryList loadSample()
{
    EntryList entries;
    const auto failure = loadCollectionFile(kDataFolder / "sample.tvn", entries);
    EXPECT_FALSE(failure.has_value()) << failure.value_or("");
    return entries;
}

SpeciesGuide loadShippedGuide()
{
    SpeciesGuide guide;
    LoadSpeciesGuide(kDataFolder / kSpeciesGuideFileName,
                     [](const std::string& text, const std::string&, unsigned) { ADD_FAILURE() << text; }, guide);
    return guide;
}

// The fields the New entry dialog's species sets; Min. temp. is typed by the grower.
constexpr CBonsaiData::Field kGuideFields[] = {
    CBonsaiData::BotanicalName, CBonsaiData::FrenchName,   CBonsaiData::EnglishName,   CBonsaiData::IntExt,
    CBonsaiData::NeedPosition,  CBonsaiData::NeedWatering, CBonsaiData::NeedFertilization,
    CBonsaiData::NeedPruning,   CBonsaiData::NeedWiring,   CBonsaiData::NeedRepotting, CBonsaiData::RustZone,
    CBonsaiData::NeedWintering, CBonsaiData::NeedSoil,
};

// Fields whose page refuses more than 30 characters.
constexpr CBonsaiData::Field kThirtyCharacterFields[] = {
    CBonsaiData::PurchaseAge,   CBonsaiData::PurchaseDate,        CBonsaiData::PurchaseTrunkDiameter,
    CBonsaiData::PurchaseStyle, CBonsaiData::PurchaseTrunkHeight, CBonsaiData::Source,
    CBonsaiData::PricePaid,     CBonsaiData::ShapingAge,          CBonsaiData::ShapingDate,
    CBonsaiData::ShapingStyle,  CBonsaiData::ShapingTrunkHeight,
};

talvane::journal::Journal journalOf(const CBonsaiData& entry)
{
    return talvane::journal::Journal::read(entry[talvane::journal::kJournalField]);
}

std::size_t photoCount(const CBonsaiData& entry)
{
    std::size_t count = 0;
    while (count < CBonsaiData::kPhotoSlots && !entry[CBonsaiData::photoField(count)].empty())
        ++count;
    return count;
}

} // namespace

TEST(SampleData, HoldsAtLeastEightNamedTrees)
{
    const EntryList entries = loadSample();
    EXPECT_GE(entries.size(), 8u);
    for (const auto& entry : entries)
        EXPECT_FALSE((*entry)[CBonsaiData::Name].empty());
}

TEST(SampleData, EveryTreeCarriesTwoOrThreePhotosInTheFirstSlots)
{
    for (const auto& entry : loadSample()) {
        const std::size_t count = photoCount(*entry);
        EXPECT_GE(count, 2u) << (*entry)[CBonsaiData::Name];
        EXPECT_LE(count, 3u) << (*entry)[CBonsaiData::Name];
        for (std::size_t slot = count; slot < CBonsaiData::kPhotoSlots; ++slot)
            EXPECT_TRUE((*entry)[CBonsaiData::photoField(slot)].empty()) << (*entry)[CBonsaiData::Name];
        for (std::size_t slot = 0; slot < count; ++slot)
            EXPECT_FALSE((*entry)[CBonsaiData::photoDescriptionField(slot)].empty()) << (*entry)[CBonsaiData::Name];
    }
}

TEST(SampleData, EveryPhotoIsAnAlbumBitmapThatTheAlbumAccepts)
{
    for (const auto& entry : loadSample()) {
        for (std::size_t slot = 0; slot < photoCount(*entry); ++slot) {
            const std::string name((*entry)[CBonsaiData::photoField(slot)]);
            EXPECT_EQ(fs::path(name).filename().string(), name) << "not a bare file name";
            EXPECT_EQ(fs::path(name).extension().string(), ".bmp") << name;
            CAnyPicDecoder decoder;
            CWinBmp bitmap;
            try {
                decoder.DecodeFile((kAlbum / name).string(), &bitmap, 32);
            } catch (const CTextException& e) {
                ADD_FAILURE() << name << ": code " << e.GetCode() << ", " << e.GetText();
                continue;
            }
            EXPECT_LE(bitmap.GetWidth(), 250) << name;
            EXPECT_LE(bitmap.GetHeight(), 250) << name;
        }
    }
}

TEST(SampleData, EveryTreeHasTheSpeciesTextsOfItsGuideSpecies)
{
    const SpeciesGuide guide = loadShippedGuide();
    const std::vector<std::string> names = botanicalNames(guide);
    for (const auto& entry : loadSample()) {
        const std::string botanicalName((*entry)[CBonsaiData::BotanicalName]);
        const auto found = std::find(names.begin(), names.end(), botanicalName);
        ASSERT_NE(found, names.end()) << botanicalName << " is not a species of the guide";
        CBonsaiData added;
        FillEntryFromGuide(added, static_cast<int>(std::distance(names.begin(), found)), botanicalName, guide);
        for (const auto field : kGuideFields)
            EXPECT_EQ((*entry)[field], added[field]) << botanicalName << ", " << CBonsaiData::fieldName(field);
    }
}

TEST(SampleData, NoTextIsLongerThanItsPageAccepts)
{
    for (const auto& entry : loadSample()) {
        const std::string name((*entry)[CBonsaiData::Name]);
        EXPECT_LE(name.size(), 50u) << name;
        for (const auto field : kThirtyCharacterFields)
            EXPECT_LE((*entry)[field].size(), 30u) << name << ", " << CBonsaiData::fieldName(field);
        for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot)
            EXPECT_LE((*entry)[CBonsaiData::photoDescriptionField(slot)].size(), 30u) << name;
    }
}

TEST(SampleData, AlbumMixesTrueColourPaletteAndRunLengthBitmaps)
{
    std::set<std::pair<int, std::uint32_t>> kinds;
    for (const auto& file : fs::directory_iterator(kAlbum)) {
        std::ifstream in(file.path(), std::ios::binary);
        unsigned char header[54] = {};
        in.read(reinterpret_cast<char*>(header), sizeof header);
        ASSERT_EQ(in.gcount(), 54) << file.path();
        const int bitCount = header[28] | header[29] << 8;
        std::uint32_t compression = 0;
        for (int i = 3; i >= 0; --i)
            compression = compression << 8 | header[30 + i];
        kinds.emplace(bitCount, compression);
    }
    EXPECT_TRUE(kinds.count({24, 0})) << "no 24-bit bitmap";
    EXPECT_TRUE(kinds.count({8, 0})) << "no uncompressed 8-bit bitmap";
    EXPECT_TRUE(kinds.count({8, 1})) << "no RLE8 bitmap";
}

TEST(SampleData, EveryTimelinePhotoIsItsTreesDatedJpegNamedAsACopyWouldBe)
{
    const EntryList entries = loadSample();
    std::set<std::string> referenced;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const CBonsaiData& entry = *entries[i];
        const auto journal = journalOf(entry);
        EXPECT_EQ(journal.unreadableLineCount(), 0u) << entry[CBonsaiData::Name];
        for (const auto& photo : talvane::timeline::timelinePhotos(journal)) {
            if (!photo.inPhotosFolder)
                continue;
            const std::string name = talvane::text::cp1252ToUtf8(photo.fileName);
            referenced.insert(name);
            EXPECT_EQ(photo.fileName, talvane::timeline::photoFileStem(photo.event.date, entry[CBonsaiData::Name]) + ".jpg");
            EXPECT_FALSE(photo.event.treeId.empty()) << name;
            EXPECT_EQ(photo.event.treeId, treeIdAt(entries, i)) << name;
            EXPECT_EQ(talvane::timeline::photoDateTaken(kPhotos / name), photo.event.date) << name;
        }
    }
    std::set<std::string> shipped;
    for (const auto& file : fs::directory_iterator(kPhotos))
        shipped.insert(file.path().filename().string());
    EXPECT_EQ(shipped, referenced);
}

TEST(SampleData, SomeTreesHaveYearsOfTimelinePhotosAndMeasurementsToChart)
{
    using talvane::journal::kMeasureKinds;
    int followed = 0;
    for (const auto& entry : loadSample()) {
        const auto journal = journalOf(*entry);
        std::set<int> years;
        for (const auto& photo : talvane::timeline::timelinePhotos(journal))
            if (photo.inPhotosFolder)
                years.insert(photo.event.date.year());
        const auto charted = std::count_if(kMeasureKinds.begin(), kMeasureKinds.end(), [&journal](auto kind) {
            return talvane::timeline::growthSeries(journal, kind).size() >= 3;
        });
        if (years.size() >= 3 && charted >= 2)
            ++followed;
    }
    EXPECT_GE(followed, 2);
}
