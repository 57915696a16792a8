// Feeds arbitrary bytes to the species guide loader. Every record comes from its own
// separator line, and each of a record's thirteen sections reports at most once,
// always with the same caption and flags; a broken guide must cost the user no more
// messages than that.
#include "core/guide/GuideLoader.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace talvane::guide;

namespace {

constexpr std::size_t kSectionsPerBlock = 13;
constexpr std::string_view kBlockSeparator = "//////////////";

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "guide_loader_fuzzer: %s\n", what);
    std::abort();
}

// Counted over the loader's own lines, so that a separator cut by the line length
// limit counts exactly as the loader sees it.
std::size_t separatorLines(std::string_view file)
{
    std::size_t count = 0;
    std::size_t position = 0;
    while (const auto line = ReadGuideLine(file, position))
        count += line->find(kBlockSeparator) != std::string::npos;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    SpeciesGuide guide;
    std::size_t messages = 0;
    const GuideMessageSink count = [&messages](const std::string& text, const std::string& caption, unsigned flags) {
        if (text.empty() || caption != "Attention" || flags != 0x10)
            fail("a message with an unexpected text, caption or flags");
        ++messages;
    };
    parseSpeciesGuide(file, guide, count);
    if (guide.size() > separatorLines(file))
        fail("more records than separator lines");
    if (messages > kSectionsPerBlock * guide.size())
        fail("more than thirteen messages for one record");
    return 0;
}
