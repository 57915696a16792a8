#pragma once

#include <optional>
#include <string>

// The EXIF tags a test photo carries; a tag left empty is not written. Dates are
// written as given, so that broken ones can be tried too.
struct ExifTags {
    std::optional<std::string> dateTimeOriginal{};
    std::optional<std::string> dateTimeDigitized{};
    std::optional<std::string> dateTime{};
    std::optional<int> orientation{};
};

// The TIFF structure of an Exif block with those tags, big-endian, as exiv2 encodes
// it for a JPEG; empty when no tag is given.
std::string exifBlock(const ExifTags& tags);

// Each writes a tiny photo (8x8 JPEG, 1x1 PNG, 8x8 HEIC) with the tags at path and
// gives the path back; without tags the photo has no Exif at all.
// The JPEG's APP1 segment is written by exiv2, as photo tools write it.
std::string writeJpegWithExif(const std::string& path, const ExifTags& tags);
// Gives a JPEG already at path those tags.
std::string tagJpeg(const std::string& path, const ExifTags& tags);
// The PNG carries the block in an eXIf chunk after its header.
std::string writePngWithExif(const std::string& path, const ExifTags& tags);
// The HEIC is encoded by libheif, which adds the block to its primary image.
std::string writeHeicWithExif(const std::string& path, const ExifTags& tags);

// Photos with the bytes as their Exif block, unchecked, so that hostile blocks can be
// handed to a reader: the tiny JPEG in memory, with an APP1 segment, and a HEIC file
// (libheif only looks for the TIFF header in the block).
std::string jpegWithExifBlock(const std::string& tiff);
std::string writeHeicWithExifBlock(const std::string& path, const std::string& tiff);
