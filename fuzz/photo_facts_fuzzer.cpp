// Feeds arbitrary bytes to the photo facts reader as a whole photo file. It must come
// back without a crash or an exception, with an orientation of 1 to 8, and 1 for a
// HEIF photo, which its decoder turns already.
#include "core/timeline/PhotoFacts.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const talvane::timeline::PhotoFacts facts = talvane::timeline::readPhotoFacts(data, size);
    if (facts.orientation < 1 || facts.orientation > 8 || (facts.isHeif && facts.orientation != 1)) {
        std::fprintf(stderr, "photo_facts_fuzzer: orientation %d for a %s photo\n", facts.orientation,
                     facts.isHeif ? "HEIF" : "non-HEIF");
        std::abort();
    }
    return 0;
}
