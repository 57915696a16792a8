#include "core/picture/HeifBoxes.h"

#include <algorithm>
#include <array>

namespace talvane::picture {
namespace {

// The brands of the HEIF files libheif reads: still images coded in HEVC or AV1.
constexpr std::array<std::string_view, 9> kHeifBrands{"heic", "heix", "hevc", "heim", "heis",
                                                      "hevm", "mif1", "msf1", "avif"};

std::uint64_t bigEndian(const std::uint8_t* bytes, int count)
{
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | bytes[i];
    return value;
}

bool isHeifBrand(std::string_view brand)
{
    return std::find(kHeifBrands.begin(), kHeifBrands.end(), brand) != kHeifBrands.end();
}

// The contents of the first box of the given type among those that follow one another in
// `boxes`; the search stops at a box that claims more than there is.
std::optional<std::span<const std::uint8_t>> findBox(std::span<const std::uint8_t> boxes, std::string_view type)
{
    std::size_t at = 0;
    while (boxes.size() - at >= 8) {
        std::uint64_t size = bigEndian(&boxes[at], 4);
        std::size_t header = 8;
        if (size == 1) {
            if (boxes.size() - at < 16)
                return std::nullopt;
            size = bigEndian(&boxes[at + 8], 8);
            header = 16;
        } else if (size == 0) {
            size = boxes.size() - at;
        }
        if (size < header || size > boxes.size() - at)
            return std::nullopt;
        if (std::string_view(reinterpret_cast<const char*>(&boxes[at + 4]), 4) == type)
            return boxes.subspan(at + header, static_cast<std::size_t>(size) - header);
        at += static_cast<std::size_t>(size);
    }
    return std::nullopt;
}

} // namespace

bool hasHeifSignature(std::string_view head)
{
    if (head.size() < 12 || head.substr(4, 4) != "ftyp")
        return false;
    if (isHeifBrand(head.substr(8, 4)))
        return true;
    const auto boxEnd = std::min<std::uint64_t>(head.size(), bigEndian(reinterpret_cast<const std::uint8_t*>(head.data()), 4));
    for (std::size_t at = 16; at + 4 <= boxEnd; at += 4)
        if (isHeifBrand(head.substr(at, 4)))
            return true;
    return false;
}

std::optional<std::uint32_t> heifItemCount(std::span<const std::uint8_t> file)
{
    // Both are full boxes: a version and flags come first. The version says how wide
    // the count of the item information box is.
    const auto meta = findBox(file, "meta");
    if (!meta || meta->size() < 4)
        return std::nullopt;
    const auto items = findBox(meta->subspan(4), "iinf");
    if (!items || items->size() < 6)
        return std::nullopt;
    if ((*items)[0] == 0)
        return static_cast<std::uint32_t>(bigEndian(&(*items)[4], 2));
    if (items->size() < 8)
        return std::nullopt;
    return static_cast<std::uint32_t>(bigEndian(&(*items)[4], 4));
}

} // namespace talvane::picture
