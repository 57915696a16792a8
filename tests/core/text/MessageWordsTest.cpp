// The program's own messages in the words it chooses as it starts.
#include "core/collection/PosixFile.h"
#include "core/text/Words.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace talvane::collection;

namespace {

std::string shouted(std::string_view english)
{
    return english == "No space left on device" ? "Plus de place sur le disque" : "[" + std::string(english) + "]";
}

} // namespace

TEST(MessageWords, SystemReasonsReadAsTheCLibraryWritesThemUntilOtherWordsAreChosen)
{
    // Every reason the program names itself is the C library's own English, word for word.
    // Copied at once: the library may reuse the text's buffer at its next call.
    const auto libraryReason = [](int error) { return std::string(std::strerror(error)); };
    for (int error = 1; error < 134; ++error)
        EXPECT_EQ(systemReason(error), libraryReason(error)) << error;

    talvane::text::speakMessagesIn(shouted);
    EXPECT_EQ(systemReason(ENOSPC), "Plus de place sur le disque");
    EXPECT_EQ(systemReason(EACCES), "[Permission denied]");
    EXPECT_EQ(systemReason(ENOTSOCK), libraryReason(ENOTSOCK)) << "one it does not name is the library's";
    EXPECT_EQ(talvane::text::sayMessage("%1 of %2", {"%2", "x"}), "[%2 of x]") << "said first, then filled once";
    talvane::text::speakMessagesIn(talvane::text::inEnglish);
    EXPECT_EQ(systemReason(ENOSPC), "No space left on device");
}
