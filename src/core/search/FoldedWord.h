#pragma once

#include <array>
#include <string>
#include <string_view>

namespace talvane::search {

// One word looked for in texts, ignoring case and accents. The word is folded once;
// each text is folded byte by byte as it is read, through the fold table, so a
// search allocates nothing.
class FoldedWord {
public:
    // The word must not be empty.
    explicit FoldedWord(std::string_view word);

    bool foundIn(std::string_view text) const { return findIn(text) != std::string_view::npos; }
    // Where the first match starts in the text, or npos.
    std::size_t findIn(std::string_view text) const;
    const std::string& folded() const { return m_folded; }

private:
    bool matchesAt(std::string_view text, std::size_t at, bool fromSecondHalf) const;

    std::string m_folded;
    // Per byte value: 1 when its folding starts with the word's first byte,
    // 2 when the second half of its folding does (both bits may be set).
    std::array<unsigned char, 256> m_starts{};
    // The only ASCII bytes that can start a match; every other byte that can is above 0x7F.
    unsigned char m_asciiLower = 0;
    unsigned char m_asciiUpper = 0;
};

} // namespace talvane::search
