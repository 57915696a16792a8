#include "core/companion/LabelPhoto.h"

#include "core/companion/PhonePictures.h"
#include "core/companion/PhoneWords.h"
#include "core/timeline/PhotoFacts.h"

#include <png.h>
#include <turbojpeg.h>
#include <zbar.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace talvane::companion {
namespace {

// Pictures whose header claims more are refused before a byte of them is decoded: a
// phone's camera gives 12 to 50 megapixels.
constexpr std::uint64_t kMaxPhotoPixels = 50'000'000;

const char* const kUnreadable = PHONE_TEXT("The photo cannot be read: Talvane reads labels from JPEG and PNG photos.");
const char* const kTooLarge = PHONE_TEXT("The photo is larger than 50 megapixels: take it again at a smaller size.");

struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;
};

using Decoded = std::variant<std::string, GreyImage>;

bool tooLarge(std::uint64_t width, std::uint64_t height)
{
    return width * height > kMaxPhotoPixels;
}

// Each pixel of the result is the mean of a square of the picture, so that its longer
// side is at most kLabelScanSide.
GreyImage shrunk(GreyImage image)
{
    const int factor = (std::max(image.width, image.height) + kLabelScanSide - 1) / kLabelScanSide;
    if (factor <= 1)
        return image;
    GreyImage small{image.width / factor, image.height / factor, {}};
    small.pixels.resize(static_cast<std::size_t>(small.width) * static_cast<std::size_t>(small.height));
    for (int y = 0; y < small.height; ++y)
        for (int x = 0; x < small.width; ++x) {
            unsigned sum = 0;
            for (int dy = 0; dy < factor; ++dy) {
                const unsigned char* row = &image.pixels[static_cast<std::size_t>(y * factor + dy) * image.width];
                for (int dx = 0; dx < factor; ++dx)
                    sum += row[x * factor + dx];
            }
            small.pixels[static_cast<std::size_t>(y) * small.width + x] =
                static_cast<unsigned char>(sum / static_cast<unsigned>(factor * factor));
        }
    return small;
}

// libjpeg-turbo scales while it decodes, so a large photo never lies in memory whole.
Decoded decodeJpeg(std::string_view photo)
{
    const std::unique_ptr<void, decltype(&tjDestroy)> decoder(tjInitDecompress(), tjDestroy);
    auto* bytes = reinterpret_cast<const unsigned char*>(photo.data());
    const auto size = static_cast<unsigned long>(photo.size());
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (!decoder || tjDecompressHeader3(decoder.get(), bytes, size, &width, &height, &subsampling, &colourspace) != 0 ||
        width <= 0 || height <= 0)
        return kUnreadable;
    if (tooLarge(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height)))
        return kTooLarge;
    int factorCount = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&factorCount);
    // The factors come largest first; the smallest that still leaves no side beyond the
    // goal would lose detail, so the largest that fits is taken, else the smallest.
    tjscalingfactor chosen = factors[factorCount - 1];
    for (int i = 0; i < factorCount; ++i)
        if (factors[i].num <= factors[i].denom && TJSCALED(std::max(width, height), factors[i]) <= kLabelScanSide) {
            chosen = factors[i];
            break;
        }
    GreyImage image{TJSCALED(width, chosen), TJSCALED(height, chosen), {}};
    image.pixels.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    // A photo whose last lines are missing still shows what it has; only a failure
    // counts.
    if (tjDecompress2(decoder.get(), bytes, size, image.pixels.data(), image.width, image.width, image.height, TJPF_GRAY, 0) != 0 &&
        tjGetErrorCode(decoder.get()) == TJERR_FATAL)
        return kUnreadable;
    return image;
}

Decoded decodePng(std::string_view photo)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, photo.data(), photo.size()))
        return kUnreadable;
    const std::unique_ptr<png_image, decltype(&png_image_free)> reading(&png, png_image_free);
    if (tooLarge(png.width, png.height))
        return kTooLarge;
    png.format = PNG_FORMAT_GRAY;
    GreyImage image{static_cast<int>(png.width), static_cast<int>(png.height), {}};
    image.pixels.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr))
        return kUnreadable;
    return image;
}

std::vector<std::string> qrCodesIn(GreyImage& image)
{
    const std::unique_ptr<zbar::zbar_image_scanner_t, decltype(&zbar::zbar_image_scanner_destroy)> scanner(
        zbar::zbar_image_scanner_create(), zbar::zbar_image_scanner_destroy);
    zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 0);
    zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_QRCODE, zbar::ZBAR_CFG_ENABLE, 1);
    const std::unique_ptr<zbar::zbar_image_t, decltype(&zbar::zbar_image_destroy)> scanned(zbar::zbar_image_create(),
                                                                                          zbar::zbar_image_destroy);
    zbar::zbar_image_set_format(scanned.get(), zbar_fourcc('Y', '8', '0', '0'));
    zbar::zbar_image_set_size(scanned.get(), static_cast<unsigned>(image.width), static_cast<unsigned>(image.height));
    zbar::zbar_image_set_data(scanned.get(), image.pixels.data(), image.pixels.size(), nullptr);
    std::vector<std::string> texts;
    if (zbar::zbar_scan_image(scanner.get(), scanned.get()) > 0)
        for (const zbar::zbar_symbol_t* symbol = zbar::zbar_image_first_symbol(scanned.get()); symbol;
             symbol = zbar::zbar_symbol_next(symbol))
            texts.emplace_back(zbar::zbar_symbol_get_data(symbol), zbar::zbar_symbol_get_data_length(symbol));
    return texts;
}

} // namespace

std::variant<std::string, std::vector<std::string>> readQrCodesInPhoto(std::string_view photo)
{
    // One photo is decoded at a time, so that phones sending many at once cannot take
    // the machine's memory.
    static std::mutex decoding;
    const std::lock_guard one(decoding);
    const std::string type = sniffPhotoType(photo.substr(0, std::min(photo.size(), timeline::kPhotoHeadBytes)));
    Decoded decoded = type == "image/jpeg" ? decodeJpeg(photo)
                      : type == "image/png"  ? decodePng(photo)
                                             : Decoded(kUnreadable);
    if (auto* problem = std::get_if<std::string>(&decoded))
        return *problem;
    GreyImage image = shrunk(std::move(std::get<GreyImage>(decoded)));
    return qrCodesIn(image);
}

} // namespace talvane::companion
