// Feeds arbitrary bytes to the passport reader, from memory as a file's bytes would
// come. A refused passport must say why in one line of importRefusal's form; one that
// opens must hold its tree and pictures under bare names, each of which inflates within
// the limits or is refused the same way.
#include "core/passport/PassportReader.h"
#include "core/timeline/TimelinePhoto.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace talvane::passport;

// Small limits, so that an input inflating far stops soon and every limit is reached.
constexpr PassportLimits kLimits{std::uint64_t{1} << 20, std::uint64_t{2} << 20, 64, 50, std::uint64_t{64} << 10};
constexpr std::string_view kShownName = "fuzz.tvp";

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "passport_reader_fuzzer: %s\n", what);
    std::abort();
}

void checkRefusal(const PassportReader& reader)
{
    const std::string& problem = reader.problem();
    if (!problem.starts_with(std::string(kShownName) + " cannot be imported: ") || !problem.ends_with('.'))
        fail("a refusal not of importRefusal's form");
    if (problem.find_first_of("\r\n") != std::string::npos)
        fail("a refusal of more than one line");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    PassportReader reader(bytes, std::string(kShownName), kLimits);
    if (!reader.problem().empty()) {
        checkRefusal(reader);
        return 0;
    }
    if (reader.pictures().size() > kLimits.maxFiles)
        fail("more pictures than files allowed");
    std::uint64_t total = 0;
    for (const HeldPicture& picture : reader.pictures()) {
        if (!talvane::timeline::isBareFileName(picture.name.name))
            fail("a picture whose name leaves its folder");
        std::uint64_t inflated = 0;
        const bool read = reader.readPicture(picture, [&inflated](std::string_view piece) {
            inflated += piece.size();
            return std::string();
        });
        if (!read) {
            checkRefusal(reader);
            return 0;
        }
        if (inflated > kLimits.maxFileBytes)
            fail("a picture inflated past the limit of one file");
        total += inflated;
        if (total > kLimits.maxTotalBytes)
            fail("the pictures inflated past the limit of all files");
    }
    if (!reader.takeEntry())
        fail("a passport that opens holds no tree");
    return 0;
}
