// Feeds arbitrary bytes to the photo reader as a whole photo file: its tags, its header
// and its pixels at a small size. It must come back without a crash or an exception,
// with an orientation of 1 to 8, and 1 for a HEIF photo, which its decoder turns
// already; a picture it decodes has the size and the bytes asked for.
#include "core/picture/PhotoReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Small enough that the fuzzer spends its time in the headers, not in decoding.
constexpr talvane::picture::PhotoLimits kFuzzLimits{.maxPixels = 4'000'000, .maxHeifItems = 64};

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "photo_facts_fuzzer: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace talvane::picture;
    const PhotoMetadata metadata = readPhotoMetadata(std::span(data, size), kFuzzLimits);
    if (metadata.orientation < 1 || metadata.orientation > 8 || (metadata.isHeif && metadata.orientation != 1))
        fail("an orientation out of range, or a HEIF photo turned");
    PhotoReader reader(std::span(data, size), kFuzzLimits);
    if (reader.problem())
        return 0;
    const PhotoSize asked = fitWithin(reader.uprightSize(), 64);
    const auto read = reader.read({.size = asked, .layout = size % 2 ? PixelLayout::Grey : PixelLayout::Rgba});
    if (const auto* pixels = std::get_if<PhotoPixels>(&read);
        pixels && (pixels->size != asked || pixels->bytes.size() != asked.pixels() * static_cast<std::size_t>(channelsOf(pixels->layout))))
        fail("a picture of another size than asked");
    return 0;
}
