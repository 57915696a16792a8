#include "core/picture/PhotoMetadata.h"

#include "support/core/PhotoTestFiles.h"
#include "support/core/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <span>
#include <utility>
#include <vector>

using namespace std::literals;
using talvane::picture::PhotoMetadata;
using talvane::picture::readPhotoMetadata;

namespace {

std::optional<std::chrono::year_month_day> day(int year, unsigned month, unsigned dayOfMonth)
{
    return std::chrono::year_month_day{std::chrono::year(year), std::chrono::month(month), std::chrono::day(dayOfMonth)};
}

PhotoMetadata factsOfBytes(const std::string& bytes)
{
    return readPhotoMetadata(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), {});
}

// The block with the four bytes that follow `marker` replaced by `value`.
std::string withValueAfter(std::string block, std::string_view marker, std::string_view value)
{
    block.replace(block.find(marker) + marker.size(), 4, value);
    return block;
}

class PhotoMetadataTest : public testing::Test {
protected:
    std::string file(const char* name) const { return (dir / name).string(); }
    PhotoMetadata jpegFacts(const ExifTags& tags) const { return readPhotoMetadata(writeJpegWithExif(file("photo.jpg"), tags)); }

    TempDir dir;
};

const std::string kOriginal = "2024:05:06 07:08:09", kDigitized = "2023:01:02 03:04:05",
                  kChanged = "2025:11:12 13:14:15";

} // namespace

TEST_F(PhotoMetadataTest, DateTakenIsTheFirstOfTheThreeDateTagsThatHoldsADay)
{
    EXPECT_EQ(jpegFacts({.dateTimeOriginal = kOriginal, .dateTimeDigitized = kDigitized, .dateTime = kChanged}).dateTaken,
              day(2024, 5, 6));
    EXPECT_EQ(jpegFacts({.dateTimeDigitized = kDigitized, .dateTime = kChanged}).dateTaken, day(2023, 1, 2));
    EXPECT_EQ(jpegFacts({.dateTime = kChanged}).dateTaken, day(2025, 11, 12));
    // A camera whose clock was never set writes zeros; the next tag tells then.
    EXPECT_EQ(jpegFacts({.dateTimeOriginal = "0000:00:00 00:00:00", .dateTimeDigitized = kDigitized}).dateTaken,
              day(2023, 1, 2));
    EXPECT_EQ(jpegFacts({.dateTimeOriginal = "garbage", .dateTime = kChanged}).dateTaken, day(2025, 11, 12));
    EXPECT_EQ(jpegFacts({.orientation = 1}), PhotoMetadata{});
    EXPECT_EQ(jpegFacts({}), PhotoMetadata{});
}

TEST_F(PhotoMetadataTest, OnlyADayOfTheCalendarWrittenDigitByDigitIsADate)
{
    const std::vector<std::pair<std::string, std::optional<std::chrono::year_month_day>>> cases{
        {"2024:02:29 23:59:59", day(2024, 2, 29)},
        {"2024:05:06 07:08:09    ", day(2024, 5, 6)},
        {std::string("2024:05:06\0\0\0", 13), day(2024, 5, 6)},
        {"2024-05-06 07:08:09", day(2024, 5, 6)},
        {"2024-05-06T07:08:09", day(2024, 5, 6)},
        {"2024:05:06", day(2024, 5, 6)},
        {"0000:00:00 00:00:00", std::nullopt},
        {"2027:02:30 10:00:00", std::nullopt},
        {"2023:02:29 10:00:00", std::nullopt},
        {"2024:5:06 07:08:09", std::nullopt},
        {"2024:05-06 07:08:09", std::nullopt},
        {"+024:05:06 07:08:09", std::nullopt},
        {"2024:05:0607:08:09", std::nullopt},
        {"garbage", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(factsOfBytes(exifBlock({.dateTimeOriginal = text})).dateTaken, expected) << text;
}

TEST_F(PhotoMetadataTest, OrientationIsKeptOnlyWhenItIsOneOfTheEightExifValues)
{
    for (int orientation = 1; orientation <= 8; ++orientation)
        EXPECT_EQ(jpegFacts({.orientation = orientation}).orientation, orientation);
    for (const int outOfRange : {0, 9, 65535})
        EXPECT_EQ(jpegFacts({.orientation = outOfRange}).orientation, 1) << outOfRange;
    EXPECT_EQ(jpegFacts({.dateTimeOriginal = kOriginal}).orientation, 1);
}

TEST_F(PhotoMetadataTest, PngAndBareTiffGiveTheirTagsLikeJpeg)
{
    const ExifTags tags{.dateTimeOriginal = kOriginal, .orientation = 3};
    const PhotoMetadata expected{.dateTaken = day(2024, 5, 6), .orientation = 3};
    EXPECT_EQ(readPhotoMetadata(writePngWithExif(file("photo.png"), tags)), expected);
    EXPECT_EQ(factsOfBytes(readFileBytes(file("photo.png"))), expected);
    EXPECT_EQ(factsOfBytes(exifBlock(tags)), expected);
    EXPECT_EQ(readPhotoMetadata(writePngWithExif(file("plain.png"), {})), PhotoMetadata{});
}

TEST_F(PhotoMetadataTest, HeicGivesItsDateButIsNeverTurnedAgain)
{
    const std::string heic = writeHeicWithExif(file("photo.heic"), {.dateTimeOriginal = kOriginal, .orientation = 6});
    const PhotoMetadata expected{.dateTaken = day(2024, 5, 6), .orientation = 1, .isHeif = true};
    EXPECT_EQ(readPhotoMetadata(heic), expected);
    EXPECT_EQ(factsOfBytes(readFileBytes(heic)), expected);
    // A file of another major brand is HEIF still when it lists a HEIF brand among
    // its compatible ones.
    std::string otherBrand = readFileBytes(heic);
    otherBrand.replace(8, 4, "abcd");
    EXPECT_EQ(factsOfBytes(otherBrand), expected);
    EXPECT_EQ(readPhotoMetadata(writeHeicWithExif(file("plain.heic"), {})), PhotoMetadata{.isHeif = true});
}

TEST_F(PhotoMetadataTest, BrokenMissingAndOddFilesGiveNothingAndPrintNothing)
{
    const std::string jpeg = readFileBytes(writeJpegWithExif(file("photo.jpg"), {.dateTimeOriginal = kOriginal}));
    writeFileBytes(file("cut.jpg"), jpeg.substr(0, jpeg.find("Exif") + 30));
    const std::string heic = readFileBytes(writeHeicWithExif(file("photo.heic"), {.dateTimeOriginal = kOriginal}));
    writeFileBytes(file("cut.heic"), heic.substr(0, heic.size() / 2));
    std::mt19937 random(7);
    std::string noise(4096, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random());
    writeFileBytes(file("noise.jpg"), "\xFF\xD8" + noise);
    writeFileBytes(file("empty.jpg"), "");

    testing::internal::CaptureStderr();
    for (const char* name : {"cut.jpg", "cut.heic", "noise.jpg", "empty.jpg", "missing.jpg"})
        EXPECT_EQ(readPhotoMetadata(file(name)), PhotoMetadata{}) << name;
    EXPECT_EQ(readPhotoMetadata(dir.path().string()), PhotoMetadata{});
    EXPECT_EQ(factsOfBytes(heic.substr(0, heic.size() / 2)), PhotoMetadata{});
    EXPECT_EQ(factsOfBytes(noise), PhotoMetadata{});
    EXPECT_EQ(readPhotoMetadata(std::span<const std::uint8_t>(), {}), PhotoMetadata{});
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(PhotoMetadataTest, HostileExifBlocksGiveOnlyWhatIsSane)
{
    const std::string block = exifBlock({.dateTimeOriginal = kOriginal, .dateTime = kChanged, .orientation = 6});
    std::string ifdOutside = block;
    ifdOutside.replace(4, 4, "\x7F\xFF\xFF\xF0");
    std::string endlessIfd = block;
    endlessIfd.replace(8, 2, "\xFF\xFF");
    // The pointer to the Exif IFD (tag 0x8769, LONG, one value) leads out of the
    // block; the main IFD around it is sound.
    const std::string exifIfdOutside = withValueAfter(block, "\x87\x69\x00\x04\x00\x00\x00\x01"sv, "\x7F\xFF\xFF\xF0");
    const PhotoMetadata saneRest{.dateTaken = day(2025, 11, 12), .orientation = 6};
    // Orientation (tag 0x0112, SHORT) with no value at all.
    const std::string emptyOrientation = withValueAfter(block, "\x01\x12\x00\x03"sv, "\0\0\0\0"sv);
    // HEIC Exif blocks: one of 17 MB, one without a TIFF header, one whose offset to
    // the TIFF header leads out of the block.
    const std::string hugeBlock = "MM\0*\0\0\0\x08"s + std::string(17 << 20, '\0');
    const std::string hugeHeic = writeHeicWithExifBlock(file("huge.heic"), hugeBlock);
    const std::string heic = readFileBytes(writeHeicWithExifBlock(file("photo.heic"), block));
    std::string noTiffHeic = heic, tiffOutsideHeic = heic;
    noTiffHeic.replace(heic.find("MM\0*"sv), 2, "XX");
    tiffOutsideHeic.replace(heic.find("\0\0\0\0MM\0*"sv), 4, "\x00\x00\xFF\xF0");

    testing::internal::CaptureStderr();
    for (const std::string& bytes : {ifdOutside, endlessIfd}) {
        EXPECT_EQ(factsOfBytes(bytes), PhotoMetadata{});
        EXPECT_EQ(factsOfBytes(jpegWithExifBlock(bytes)), PhotoMetadata{});
    }
    EXPECT_EQ(factsOfBytes(exifIfdOutside), saneRest);
    EXPECT_EQ(factsOfBytes(jpegWithExifBlock(exifIfdOutside)), saneRest);
    EXPECT_EQ(factsOfBytes(jpegWithExifBlock(emptyOrientation)), PhotoMetadata{.dateTaken = day(2024, 5, 6)});
    EXPECT_EQ(readPhotoMetadata(hugeHeic), PhotoMetadata{});
    EXPECT_EQ(factsOfBytes(noTiffHeic), PhotoMetadata{});
    EXPECT_EQ(factsOfBytes(tiffOutsideHeic), PhotoMetadata{});
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
