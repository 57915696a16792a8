// Feeds arbitrary bytes to the label scanner as a photo sent from a phone. It must come
// back without a crash or an exception, with a reason or a list of codes, never an
// empty reason.
#include "core/companion/LabelPhoto.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto read = talvane::companion::readQrCodesInPhoto(std::string_view(reinterpret_cast<const char*>(data), size));
    if (const auto* problem = std::get_if<std::string>(&read); problem && problem->empty()) {
        std::fprintf(stderr, "label_photo_fuzzer: a photo refused without a reason\n");
        std::abort();
    }
    return 0;
}
