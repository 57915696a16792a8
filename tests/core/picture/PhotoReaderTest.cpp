// The photo reader: every format it knows decoded at the size asked for, turned upright,
// and everything a header claims checked against the limits before a pixel is decoded.
#include "core/picture/PhotoReader.h"

#include "core/picture/HeifBoxes.h"

#include "support/core/BmpTestFiles.h"
#include "support/core/PhotoTestFiles.h"
#include "support/core/TempDir.h"

#include <gif_lib.h>
#include <libheif/heif.h>
#include <png.h>
#include <tiffio.h>
#include <turbojpeg.h>
#include <webp/encode.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <stdexcept>

using namespace talvane::picture;

namespace {

using Rgb = std::array<int, 3>;

// Red, green, blue and yellow quarters, top left to bottom right.
constexpr Rgb kQuarters[4] = {{220, 30, 30}, {30, 200, 30}, {30, 30, 220}, {230, 220, 40}};

Rgb quarterAt(int x, int y, PhotoSize size)
{
    return kQuarters[(y >= size.height / 2 ? 2 : 0) + (x >= size.width / 2 ? 1 : 0)];
}

std::vector<std::uint8_t> quartersRgba(PhotoSize size)
{
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x) {
            for (const int channel : quarterAt(x, y, size))
                rgba.push_back(static_cast<std::uint8_t>(channel));
            rgba.push_back(255);
        }
    return rgba;
}

std::string jpegOf(PhotoSize size)
{
    const std::unique_ptr<void, decltype(&tjDestroy)> encoder(tjInitCompress(), tjDestroy);
    unsigned char* jpeg = nullptr;
    unsigned long length = 0;
    if (tjCompress2(encoder.get(), quartersRgba(size).data(), size.width, 0, size.height, TJPF_RGBA, &jpeg, &length,
                    TJSAMP_444, 95, 0))
        throw std::runtime_error("the JPEG was not written");
    std::string bytes(reinterpret_cast<char*>(jpeg), length);
    tjFree(jpeg);
    return bytes;
}

std::string pngOf(PhotoSize size)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(size.width);
    png.height = static_cast<png_uint_32>(size.height);
    png.format = PNG_FORMAT_RGBA;
    png_alloc_size_t length = 0;
    png_image_write_to_memory(&png, nullptr, &length, 0, quartersRgba(size).data(), 0, nullptr);
    std::string bytes(length, '\0');
    if (!png_image_write_to_memory(&png, bytes.data(), &length, 0, quartersRgba(size).data(), 0, nullptr))
        throw std::runtime_error("the PNG was not written");
    return bytes.substr(0, length);
}

std::string webpOf(PhotoSize size)
{
    std::uint8_t* webp = nullptr;
    const std::size_t length = WebPEncodeLosslessRGBA(quartersRgba(size).data(), size.width, size.height, size.width * 4, &webp);
    std::string bytes(reinterpret_cast<char*>(webp), length);
    WebPFree(webp);
    return bytes;
}

std::string gifOf(PhotoSize size, const std::string& path)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    ColorMapObject* colours = GifMakeMapObject(4, nullptr);
    for (int i = 0; i < 4; ++i)
        colours->Colors[i] = {static_cast<GifByteType>(kQuarters[i][0]), static_cast<GifByteType>(kQuarters[i][1]),
                              static_cast<GifByteType>(kQuarters[i][2])};
    EGifPutScreenDesc(gif, size.width, size.height, 2, 0, colours);
    EGifPutImageDesc(gif, 0, 0, size.width, size.height, false, nullptr);
    std::vector<GifPixelType> row(static_cast<std::size_t>(size.width));
    for (int y = 0; y < size.height; ++y) {
        for (int x = 0; x < size.width; ++x)
            row[static_cast<std::size_t>(x)] = static_cast<GifPixelType>((y >= size.height / 2 ? 2 : 0) + (x >= size.width / 2 ? 1 : 0));
        EGifPutLine(gif, row.data(), size.width);
    }
    GifFreeMapObject(colours);
    EGifCloseFile(gif, &error);
    return readFileBytes(path);
}

std::string tiffOf(PhotoSize size, const std::string& path)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, size.width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, size.height);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 4);
    const std::vector<std::uint8_t> rgba = quartersRgba(size);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(size.width) * 3);
    for (int y = 0; y < size.height; ++y) {
        for (std::size_t i = 0; i < row.size(); ++i)
            row[i] = rgba[(static_cast<std::size_t>(y) * static_cast<std::size_t>(size.width) + i / 3) * 4 + i % 3];
        TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), 0);
    }
    TIFFClose(tiff);
    return readFileBytes(path);
}

std::string bmpOf(PhotoSize size)
{
    BmpFile file;
    file.width = size.width;
    file.height = size.height;
    for (int y = size.height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < size.width; ++x)
            for (const int channel : {2, 1, 0})
                row += static_cast<char>(quarterAt(x, y, size)[static_cast<std::size_t>(channel)]);
        file.pixels += paddedRow(row);
    }
    return file.bytes();
}

void check(heif_error error)
{
    if (error.code != heif_error_Ok)
        throw std::runtime_error(error.message);
}

// One picture of the quarters for each size, in one file.
std::string heicOf(const std::vector<PhotoSize>& sizes, const std::string& path)
{
    const std::unique_ptr<heif_context, decltype(&heif_context_free)> context(heif_context_alloc(), heif_context_free);
    heif_encoder* encoder = nullptr;
    check(heif_context_get_encoder_for_format(context.get(), heif_compression_HEVC, &encoder));
    check(heif_encoder_set_lossy_quality(encoder, 90));
    for (const PhotoSize size : sizes) {
        heif_image* image = nullptr;
        // Without alpha, which libheif would store as an image of its own.
        check(heif_image_create(size.width, size.height, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image));
        check(heif_image_add_plane(image, heif_channel_interleaved, size.width, size.height, 8));
        int stride = 0;
        std::uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
        const std::vector<std::uint8_t> rgba = quartersRgba(size);
        for (int y = 0; y < size.height; ++y)
            for (int x = 0; x < size.width * 3; ++x)
                plane[y * stride + x] = rgba[static_cast<std::size_t>((y * size.width + x / 3) * 4 + x % 3)];
        check(heif_context_encode_image(context.get(), image, encoder, nullptr, nullptr));
        heif_image_release(image);
    }
    heif_encoder_release(encoder);
    check(heif_context_write_to_file(context.get(), path.c_str()));
    return readFileBytes(path);
}

std::span<const std::uint8_t> bytesOf(const std::string& file)
{
    return {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()};
}

Rgb colourAt(const PhotoPixels& pixels, int x, int y)
{
    const std::uint8_t* pixel = &pixels.bytes[static_cast<std::size_t>(y * pixels.size.width + x) * 4];
    return {pixel[0], pixel[1], pixel[2]};
}

bool near(Rgb found, Rgb expected, int tolerance)
{
    for (std::size_t c = 0; c < 3; ++c)
        if (std::abs(found[c] - expected[c]) > tolerance)
            return false;
    return true;
}

PhotoPixels pixelsOf(std::variant<PhotoPixels, PhotoProblem> read)
{
    if (const auto* problem = std::get_if<PhotoProblem>(&read))
        throw std::runtime_error("not decoded: " + problem->detail);
    return std::get<PhotoPixels>(std::move(read));
}

} // namespace

TEST(PhotoReader, EveryFormatIsDecodedAtTheSizeAskedForInItsColours)
{
    TempDir dir;
    const PhotoSize size{40, 30};
    const std::pair<PhotoFormat, std::string> photos[] = {
        {PhotoFormat::Jpeg, jpegOf(size)},
        {PhotoFormat::Png, pngOf(size)},
        {PhotoFormat::Gif, gifOf(size, (dir / "photo.gif").string())},
        {PhotoFormat::Tiff, tiffOf(size, (dir / "photo.tif").string())},
        {PhotoFormat::WebP, webpOf(size)},
        {PhotoFormat::Heic, heicOf({size}, (dir / "photo.heic").string())},
        {PhotoFormat::Bmp, bmpOf(size)},
    };
    for (const auto& [format, file] : photos) {
        const int lossy = format == PhotoFormat::Jpeg || format == PhotoFormat::Heic ? 30 : 1;
        // The full size, a reduction by a whole factor, one by none, and a squeezed one.
        for (const PhotoSize asked : {size, PhotoSize{8, 6}, PhotoSize{13, 11}, PhotoSize{40, 4}}) {
            PhotoReader reader(bytesOf(file));
            ASSERT_FALSE(reader.problem()) << static_cast<int>(format);
            EXPECT_EQ(reader.format(), format);
            EXPECT_EQ(reader.storedSize(), size);
            const PhotoPixels pixels = pixelsOf(reader.read({.size = asked}));
            ASSERT_EQ(pixels.size, asked) << static_cast<int>(format);
            ASSERT_EQ(pixels.bytes.size(), asked.pixels() * 4);
            for (const auto& [x, y] : {std::pair{0, 0}, {asked.width - 1, 0}, {0, asked.height - 1}, {asked.width - 1, asked.height - 1}})
                EXPECT_TRUE(near(colourAt(pixels, x, y), quarterAt(x, y, asked), lossy))
                    << "format " << static_cast<int>(format) << " at " << asked.width << "x" << asked.height << " " << x << "," << y;
        }
    }
    // Grey is the luma of the colours: red is darker than yellow.
    PhotoReader reader(bytesOf(photos[1].second));
    const PhotoPixels grey = pixelsOf(reader.read({.size = {4, 2}, .layout = PixelLayout::Grey}));
    ASSERT_EQ(grey.bytes.size(), 8u);
    EXPECT_NEAR(grey.bytes[0], 0.299 * 220 + 0.587 * 30 + 0.114 * 30, 2);
    EXPECT_NEAR(grey.bytes[7], 0.299 * 230 + 0.587 * 220 + 0.114 * 40, 2);
}

TEST(PhotoReader, EachExifOrientationIsTurnedUpright)
{
    TempDir dir;
    const PhotoSize stored{40, 20};
    enum Corner { TopLeft, TopRight, BottomLeft, BottomRight };
    // Where the stored picture's top left (red) and top right (green) corners stand
    // once upright, for orientations 1 to 8.
    const std::pair<Corner, Corner> landing[] = {{TopLeft, TopRight},    {TopRight, TopLeft},   {BottomRight, BottomLeft},
                                                 {BottomLeft, BottomRight}, {TopLeft, BottomLeft}, {TopRight, BottomRight},
                                                 {BottomRight, TopRight},  {BottomLeft, TopLeft}};
    const std::string path = (dir / "turned.jpg").string();
    for (int orientation = 1; orientation <= 8; ++orientation) {
        writeFileBytes(path, jpegOf(stored));
        tagJpeg(path, {.orientation = orientation});
        PhotoReader reader{std::filesystem::path(path)};
        const PhotoSize upright = orientation >= 5 ? stored.transposed() : stored;
        ASSERT_EQ(reader.uprightSize(), upright) << orientation;
        const PhotoPixels pixels = pixelsOf(reader.read({.size = upright}));
        const auto at = [&](Corner corner) {
            return colourAt(pixels, corner % 2 ? upright.width - 1 : 0, corner >= BottomLeft ? upright.height - 1 : 0);
        };
        const auto [red, green] = landing[orientation - 1];
        EXPECT_TRUE(near(at(red), kQuarters[0], 30)) << orientation;
        EXPECT_TRUE(near(at(green), kQuarters[1], 30)) << orientation;
    }
    PhotoReader asStored{std::filesystem::path(path)};
    EXPECT_EQ(pixelsOf(asStored.read({.size = stored, .upright = false})).size, stored);
}

TEST(PhotoReader, WhatAHeaderClaimsIsRefusedBeforeAnyPixelIsDecoded)
{
    // Files of a few bytes claiming 60000 x 60000 pixels: decoding them would fail as
    // damaged, so a refusal for their size shows it came first.
    std::string jpeg = jpegOf({16, 16});
    jpeg.replace(jpeg.find("\xFF\xC0") + 5, 4, "\xEA\x60\xEA\x60");
    const std::string png = pngOf({16, 16}).substr(0, 33);
    std::string claimingPng = png;
    claimingPng.replace(16, 8, std::string("\0\0\xEA\x60\0\0\xEA\x60", 8));
    const std::string gif = std::string("GIF89a\x60\xEA\x60\xEA\x00\x00\x00", 13);
    std::string bmp = bmpOf({2, 2});
    bmp.replace(18, 8, std::string("\x60\xEA\0\0\x60\xEA\0\0", 8));
    for (const std::string& file : {jpeg, gif, bmp}) {
        PhotoReader reader(bytesOf(file));
        ASSERT_TRUE(reader.problem());
        EXPECT_EQ(reader.problem()->fault, PhotoFault::TooManyPixels) << file.substr(0, 4);
        EXPECT_EQ(reader.storedSize(), (PhotoSize{60000, 60000}));
        EXPECT_EQ(std::get<PhotoProblem>(reader.read({.size = {10, 10}})).fault, PhotoFault::TooManyPixels);
    }
    // A PNG whose header checksum no longer matches its claim is no usable header.
    EXPECT_EQ(PhotoReader(bytesOf(claimingPng)).problem()->fault, PhotoFault::NoUsableSize);

    const std::string photo = pngOf({20, 20});
    EXPECT_EQ(PhotoReader(bytesOf(photo), {.maxPixels = 399}).problem()->fault, PhotoFault::TooManyPixels);
    EXPECT_FALSE(PhotoReader(bytesOf(photo), {.maxPixels = 400}).problem());
    EXPECT_EQ(PhotoReader(bytesOf(photo), {.maxSide = 19}).problem()->fault, PhotoFault::NoUsableSize);
    EXPECT_EQ(PhotoReader(bytesOf(photo), {.maxBytes = photo.size() - 1}).problem()->fault, PhotoFault::TooManyBytes);
    PhotoReader reader(bytesOf(photo), {.maxPixels = 400});
    EXPECT_EQ(std::get<PhotoProblem>(reader.read({.size = {21, 20}})).fault, PhotoFault::TooManyPixels)
        << "what is asked for is held to the limits too";
}

TEST(PhotoReader, AHeifFileListingTooManyItemsIsRefusedBeforeLibheifReadsIt)
{
    TempDir dir;
    const std::string one = heicOf({{16, 16}}, (dir / "one.heic").string());
    const std::string two = heicOf({{16, 16}, {32, 32}}, (dir / "two.heic").string());
    // libheif stores even a small picture as a grid of one tile: two items.
    const auto items = heifItemCount(bytesOf(one));
    ASSERT_EQ(items, 2u);
    ASSERT_EQ(heifItemCount(bytesOf(two)), 4u);
    EXPECT_FALSE(PhotoReader(bytesOf(one), {.maxHeifItems = *items}).problem());
    EXPECT_EQ(PhotoReader(bytesOf(two), {.maxHeifItems = *items}).problem()->fault, PhotoFault::TooManyHeifItems);
    EXPECT_EQ(readPhotoMetadata(bytesOf(two), {.maxHeifItems = *items}), PhotoMetadata{}) << "nor are its tags read";
    EXPECT_TRUE(readPhotoMetadata(bytesOf(two), {}).isHeif);
    PhotoReader allowed(bytesOf(two));
    EXPECT_EQ(allowed.format(), PhotoFormat::Heic);
    EXPECT_EQ(pixelsOf(allowed.read({.size = {16, 16}})).size, (PhotoSize{16, 16}));
}

TEST(PhotoReader, FilesThatAreNoPhotoOrAreCutOffAreNamed)
{
    TempDir dir;
    const auto faultOf = [](PhotoReader&& reader) { return reader.problem() ? reader.problem()->fault : std::optional<PhotoFault>(); };
    writeFileBytes(dir / "empty.png", "");
    writeFileBytes(dir / "notes.jpg", "not a picture");
    EXPECT_EQ(faultOf(PhotoReader(dir / "missing.jpg")), PhotoFault::Missing);
    EXPECT_EQ(faultOf(PhotoReader(dir.path())), PhotoFault::Folder);
    EXPECT_EQ(faultOf(PhotoReader(std::filesystem::path("/dev/null"))), PhotoFault::NotRegularFile);
    EXPECT_EQ(faultOf(PhotoReader(dir / "empty.png")), PhotoFault::Empty);
    EXPECT_EQ(faultOf(PhotoReader(dir / "notes.jpg")), PhotoFault::UnknownFormat);

    // A cut JPEG or bitmap is still read (its missing part made up) but says it is cut;
    // a cut PNG turns out damaged only when decoded.
    const std::string jpeg = jpegOf({40, 30}), bmp = bmpOf({40, 30}), png = pngOf({40, 30});
    for (const std::string& whole : {jpeg, bmp}) {
        const std::string cut = whole.substr(0, whole.size() - 20);
        EXPECT_TRUE(PhotoReader(bytesOf(whole)).reachesItsEnd());
        PhotoReader reader(bytesOf(cut));
        EXPECT_FALSE(reader.reachesItsEnd());
        EXPECT_EQ(pixelsOf(reader.read({.size = {40, 30}})).size, (PhotoSize{40, 30}));
    }
    // Everything up to the first two bytes of picture data.
    const std::string cutPngBytes = png.substr(0, png.find("IDAT") + 6);
    PhotoReader cutPng(bytesOf(cutPngBytes));
    ASSERT_FALSE(cutPng.problem());
    EXPECT_EQ(std::get<PhotoProblem>(cutPng.read({.size = {40, 30}})).fault, PhotoFault::Damaged);
}

TEST(PhotoReader, RunLengthBitmapsKeepTheirRunsMovesAndIndicesAsTheyAre)
{
    // Palette entries are (blue, green, red): black, red, green, blue.
    const std::vector<std::array<std::uint8_t, 3>> palette = {{0, 0, 0}, {0, 0, 200}, {0, 200, 0}, {200, 0, 0}};
    // The bottom row first: four indices as they are (red); then the top row: one blue,
    // a move of one pixel right, two green.
    const std::pair<std::uint16_t, std::string> codings[] = {
        {8, byteString({0, 4, 1, 1, 1, 1, 0, 0, 1, 3, 0, 2, 1, 0, 2, 2, 0, 1})},
        {4, byteString({0, 4, 0x11, 0x11, 0, 0, 1, 0x33, 0, 2, 1, 0, 2, 0x22, 0, 1})},
    };
    const Rgb black{0, 0, 0}, red{200, 0, 0}, green{0, 200, 0}, blue{0, 0, 200};
    const Rgb expected[2][4] = {{blue, black, green, green}, {red, red, red, red}};
    for (const auto& [bits, coded] : codings) {
        BmpFile file;
        file.width = 4;
        file.height = 2;
        file.bitCount = bits;
        file.compression = bits == 8 ? 1 : 2;
        file.palette = palette;
        file.pixels = coded;
        const std::string bytes = file.bytes();
        PhotoReader reader(bytesOf(bytes));
        const PhotoPixels pixels = pixelsOf(reader.read({.size = {4, 2}}));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(colourAt(pixels, x, y), expected[y][x]) << bits << " bits at " << x << "," << y;
    }
}
