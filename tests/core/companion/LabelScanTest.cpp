// A phone opens a tree from a photo of its label: the photo is decoded, its QR code
// read, and the tree it names opened; anything else is a message and changes nothing.
#include "ServedCollection.h"

#include "support/core/PhotoTestFiles.h"
#include "support/core/TempDir.h"

#include "core/companion/LabelPhoto.h"
#include "core/labels/QrCode.h"
#include "core/labels/TreeLabel.h"

#include <png.h>
#include <turbojpeg.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

using namespace talvane::companion;

namespace {

enum class Format { Jpeg, Png };

// A grey photo of the given size, white but for the code drawn at (left, top) with
// `module` pixels a module.
std::vector<unsigned char> photoWithCode(std::string_view text, int width, int height, int left, int top, int module)
{
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height, 235);
    const auto code = talvane::labels::QrCode::encode(text);
    if (!code)
        throw std::runtime_error("no QR code holds the text");
    for (int y = 0; y < code->size() * module; ++y)
        for (int x = 0; x < code->size() * module; ++x)
            if (code->isDark(x / module, y / module))
                pixels[static_cast<std::size_t>(top + y) * width + left + x] = 25;
    return pixels;
}

std::string encoded(const std::vector<unsigned char>& pixels, int width, int height, Format format)
{
    if (format == Format::Jpeg) {
        const std::unique_ptr<void, decltype(&tjDestroy)> encoder(tjInitCompress(), tjDestroy);
        unsigned char* jpeg = nullptr;
        unsigned long size = 0;
        if (tjCompress2(encoder.get(), pixels.data(), width, width, height, TJPF_GRAY, &jpeg, &size, TJSAMP_GRAY, 85, 0))
            throw std::runtime_error("the JPEG was not written");
        std::string bytes(reinterpret_cast<char*>(jpeg), size);
        tjFree(jpeg);
        return bytes;
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(width);
    png.height = static_cast<png_uint_32>(height);
    png.format = PNG_FORMAT_GRAY;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&png, nullptr, &size, 0, pixels.data(), 0, nullptr);
    std::string bytes(size, '\0');
    if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, pixels.data(), 0, nullptr))
        throw std::runtime_error("the PNG was not written");
    return bytes.substr(0, size);
}

std::string labelPhoto(std::string_view text, Format format = Format::Jpeg, int width = 480, int height = 360)
{
    return encoded(photoWithCode(text, width, height, width / 5, height / 6, 6), width, height, format);
}

std::variant<std::string, std::vector<std::string>> readBack(const std::string& photo)
{
    return readQrCodesInPhoto(photo);
}

std::string bigEndian(std::uint32_t value)
{
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::string pngChunk(const std::string& typeAndData)
{
    const auto crc = crc32(0, reinterpret_cast<const Bytef*>(typeAndData.data()), static_cast<uInt>(typeAndData.size()));
    return bigEndian(static_cast<std::uint32_t>(typeAndData.size() - 4)) + typeAndData + bigEndian(static_cast<std::uint32_t>(crc));
}

// A PNG whose header claims a size no phone takes, with only the start of its data.
std::string pngClaiming(std::uint32_t width, std::uint32_t height)
{
    return "\x89PNG\r\n\x1A\n" + pngChunk("IHDR" + bigEndian(width) + bigEndian(height) + std::string("\x08\x00\x00\x00\x00", 5)) +
           pngChunk("IDAT");
}

} // namespace

TEST(LabelPhoto, CodesAreReadFromEachFormatAtAnySizeAndBadPhotosAreNamed)
{
    const std::string qrText = talvane::labels::treeQrText(kMomijiId);
    const std::vector<std::string> expected{qrText};
    for (const Format format : {Format::Jpeg, Format::Png})
        EXPECT_EQ(readBack(labelPhoto(qrText, format)), (std::variant<std::string, std::vector<std::string>>(expected)))
            << "format " << static_cast<int>(format);
    // A phone's full-size photo is looked at shrunk: the code, 12 pixels a module, must
    // survive the JPEG decoder's scaling and the box filter alike.
    for (const Format format : {Format::Jpeg, Format::Png}) {
        const std::string large = encoded(photoWithCode(qrText, 5000, 3000, 3800, 2200, 12), 5000, 3000, format);
        EXPECT_EQ(readBack(large), (std::variant<std::string, std::vector<std::string>>(expected)))
            << "large format " << static_cast<int>(format);
    }

    EXPECT_EQ(readBack(encoded(std::vector<unsigned char>(640 * 480, 200), 640, 480, Format::Jpeg)),
              (std::variant<std::string, std::vector<std::string>>(std::vector<std::string>{})))
        << "a photo without a code is no code, not a fault";
    const std::string unreadable = "The photo cannot be read: Talvane reads labels from JPEG and PNG photos.";
    const std::string jpeg = labelPhoto(qrText);
    TempDir dir;
    const std::string heic = readFileBytes(writeHeicWithExif((dir / "IMG_0001.heic").string(), {}));
    for (const std::string& bad : {std::string(), std::string("just some text"), jpeg.substr(0, 20), heic,
                                   std::string("GIF89a\x01\x00\x01\x00", 10), labelPhoto(qrText, Format::Png).substr(0, 60)})
        EXPECT_EQ(readBack(bad), (std::variant<std::string, std::vector<std::string>>(unreadable))) << bad.size();
    const std::string tooLarge = "The photo is larger than 50 megapixels: take it again at a smaller size.";
    EXPECT_EQ(readBack(pngClaiming(20000, 20000)), (std::variant<std::string, std::vector<std::string>>(tooLarge)))
        << "a header's size is refused before its pixels are asked for";
    std::string claimingJpeg = jpeg;
    const std::size_t frame = claimingJpeg.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    claimingJpeg.replace(frame + 5, 4, std::string("\xFF\x00\xFF\x00", 4));
    EXPECT_EQ(readBack(claimingJpeg), (std::variant<std::string, std::vector<std::string>>(tooLarge)))
        << "a JPEG is measured by its own size, not by the size it is decoded at";
}

TEST(LabelPhoto, APhotoSentFromTheTreesPageOpensItsTreeOrSaysWhyNot)
{
    ServedCollection served(garden());
    auto phone = served.pairedPhone();
    const auto script = phone->get("/phone/phone.js");
    ASSERT_TRUE(script);
    ASSERT_NE(script->body.find("capture: \"environment\""), std::string::npos) << "phones open their camera";
    const auto send = [&](Phone& from, const std::string& photo, httplib::MultipartFormDataItems parts = {}) {
        parts.push_back({"label", photo, "IMG_2041.jpg", "image/jpeg"});
        return from.postMultipart("/api/labels/scan", parts);
    };
    const std::string momijiLabel = labelPhoto(talvane::labels::treeQrText(kMomijiId));
    EXPECT_EQ(jsonAnswer(send(*phone, momijiLabel), 200, "a label").value("tree", ""), kMomijiId);
    EXPECT_EQ(jsonAnswer(send(*phone, momijiLabel), 200, "scanning again is no replay").value("tree", ""), kMomijiId);

    struct Refusal {
        std::string photo;
        int status;
        std::string words;
    };
    const Refusal refusals[] = {
        {labelPhoto(talvane::labels::treeQrText("1f8fad5b-d9cb-469f-a165-70867728950e")), 404, "not in this collection"},
        {labelPhoto("https://example.com/"), 404, "not a Talvane label"},
        {encoded(std::vector<unsigned char>(320 * 240, 128), 320, 240, Format::Png), 422, "No QR code can be read"},
        {"<script>alert(1)</script>", 415, "cannot be read"},
    };
    for (const auto& [photo, status, words] : refusals)
        expectRefusal(send(*phone, photo), status, words, words);

    // The form token may come as a field of the form instead of the header.
    const std::string own = phone->formToken;
    phone->formToken.clear();
    EXPECT_EQ(jsonAnswer(send(*phone, momijiLabel, formParts({{"form", own}})), 200, "the token as a field").value("tree", ""),
              kMomijiId);
    expectRefusal(send(*phone, momijiLabel), 403, "did not come from Talvane", "no form token");
    phone->formToken = "0123456789abcdef0123456789abcdef";
    expectRefusal(send(*phone, momijiLabel), 403, "did not come from Talvane", "a forged form token");
    Phone stranger(served.server.port());
    stranger.formToken = own;
    expectRefusal(send(stranger, momijiLabel), 401, "not paired", "a phone not paired");
    EXPECT_EQ(served.host.changes(), 0);
}
