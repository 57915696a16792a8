#include "core/companion/LabelPhoto.h"

#include "core/companion/PhoneWords.h"
#include "core/picture/PhotoReader.h"

#include <zbar.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace talvane::companion {
namespace {

const char* const kUnreadable = PHONE_TEXT("The photo cannot be read: Talvane reads labels from JPEG and PNG photos.");
const char* const kTooLarge = PHONE_TEXT("The photo is larger than 50 megapixels: take it again at a smaller size.");

// A phone's camera gives 12 to 50 megapixels: pictures whose header claims more are
// refused before a byte of them is decoded, as the phone is told. The server takes no
// photo of more than kMaxLabelPhotoBytes.
constexpr picture::PhotoLimits kLabelPhotoLimits{.maxPixels = 50'000'000};

std::vector<std::string> qrCodesIn(picture::PhotoPixels& image)
{
    const std::unique_ptr<zbar::zbar_image_scanner_t, decltype(&zbar::zbar_image_scanner_destroy)> scanner(
        zbar::zbar_image_scanner_create(), zbar::zbar_image_scanner_destroy);
    zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 0);
    zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_QRCODE, zbar::ZBAR_CFG_ENABLE, 1);
    const std::unique_ptr<zbar::zbar_image_t, decltype(&zbar::zbar_image_destroy)> scanned(zbar::zbar_image_create(),
                                                                                          zbar::zbar_image_destroy);
    zbar::zbar_image_set_format(scanned.get(), zbar_fourcc('Y', '8', '0', '0'));
    zbar::zbar_image_set_size(scanned.get(), static_cast<unsigned>(image.size.width), static_cast<unsigned>(image.size.height));
    zbar::zbar_image_set_data(scanned.get(), image.bytes.data(), image.bytes.size(), nullptr);
    std::vector<std::string> texts;
    if (zbar::zbar_scan_image(scanner.get(), scanned.get()) > 0)
        for (const zbar::zbar_symbol_t* symbol = zbar::zbar_image_first_symbol(scanned.get()); symbol;
             symbol = zbar::zbar_symbol_next(symbol))
            texts.emplace_back(zbar::zbar_symbol_get_data(symbol), zbar::zbar_symbol_get_data_length(symbol));
    return texts;
}

// The photo reduced by the smallest whole factor that brings its longer side within
// kLabelScanSide: a JPEG of 4000 pixels is decoded at half its size straight away.
picture::PhotoSize scanSize(picture::PhotoSize stored)
{
    const int factor = std::max(1, (std::max(stored.width, stored.height) + kLabelScanSide - 1) / kLabelScanSide);
    return {std::max(1, stored.width / factor), std::max(1, stored.height / factor)};
}

bool isLabelFormat(std::string_view photo)
{
    const auto format = picture::photoFormatOf(photo.substr(0, std::min(photo.size(), picture::kPhotoHeadBytes)));
    return format == picture::PhotoFormat::Jpeg || format == picture::PhotoFormat::Png;
}

} // namespace

std::variant<std::string, std::vector<std::string>> readQrCodesInPhoto(std::string_view photo)
{
    if (!isLabelFormat(photo))
        return kUnreadable;
    // One photo is decoded at a time, so that phones sending many at once cannot take
    // the machine's memory.
    static std::mutex decoding;
    const std::lock_guard one(decoding);
    picture::PhotoReader reader(std::span(reinterpret_cast<const std::uint8_t*>(photo.data()), photo.size()), kLabelPhotoLimits);
    // A code reads the same turned, so the picture is looked at as stored, and grey.
    auto read = reader.read({.size = scanSize(reader.storedSize()),
                             .layout = picture::PixelLayout::Grey,
                             .upright = false});
    if (auto* problem = std::get_if<picture::PhotoProblem>(&read))
        return problem->fault == picture::PhotoFault::TooManyPixels ? kTooLarge : kUnreadable;
    return qrCodesIn(std::get<picture::PhotoPixels>(read));
}

} // namespace talvane::companion
