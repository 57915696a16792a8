#include "core/search/FoldedWord.h"

#include "core/search/TextFolding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace talvane::search {
namespace {

// Bytes compared a block at a time; GCC and Clang turn these into vector instructions.
using Block16 = unsigned char __attribute__((vector_size(16)));
using Block8 = unsigned char __attribute__((vector_size(8)));

template <typename Block>
bool anyCandidate(const unsigned char* bytes, unsigned char lower, unsigned char upper)
{
    Block block;
    std::memcpy(&block, bytes, sizeof block);
    const Block candidates =
        reinterpret_cast<Block>(block == lower) | reinterpret_cast<Block>(block == upper) | (block & 0x80);
    std::uint64_t words[sizeof(Block) / 8];
    std::memcpy(words, &candidates, sizeof words);
    std::uint64_t any = 0;
    for (const std::uint64_t word : words)
        any |= word;
    return any != 0;
}

} // namespace

FoldedWord::FoldedWord(std::string_view word) : m_folded(foldText(word))
{
    const char first = m_folded.front();
    const FoldedByte* table = foldTable();
    for (int byte = 0; byte < 256; ++byte) {
        if (table[byte].first == first)
            m_starts[byte] |= 1;
        if (table[byte].second != '\0' && table[byte].second == first)
            m_starts[byte] |= 2;
    }
    // Folding only lowers ASCII letters, so at most one upper-case twin can fold to an ASCII first byte.
    const auto firstByte = static_cast<unsigned char>(first);
    m_asciiLower = firstByte;
    m_asciiUpper = (firstByte >= 'a' && firstByte <= 'z') ? static_cast<unsigned char>(firstByte - 'a' + 'A') : firstByte;
}

std::size_t FoldedWord::findIn(std::string_view text) const
{
    // A byte folds to two bytes at most.
    if (text.size() * 2 < m_folded.size())
        return std::string_view::npos;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t at = 0;
    while (at < size) {
        // Blocks where no match can start are passed over whole. The last block of a
        // text may reach back over bytes already passed, so that few bytes are read
        // one at a time.
        const std::size_t left = size - at;
        if (size >= 16) {
            const std::size_t blockStart = left >= 16 ? at : size - 16;
            if (!anyCandidate<Block16>(bytes + blockStart, m_asciiLower, m_asciiUpper)) {
                at = blockStart + 16;
                continue;
            }
        } else if (size >= 8) {
            const std::size_t blockStart = left >= 8 ? at : size - 8;
            if (!anyCandidate<Block8>(bytes + blockStart, m_asciiLower, m_asciiUpper)) {
                at = blockStart + 8;
                continue;
            }
        }
        const std::size_t end = at + std::min<std::size_t>(left, size >= 16 ? 16 : 8);
        for (; at < end; ++at) {
            const unsigned char starts = m_starts[bytes[at]];
            if (starts == 0)
                continue;
            if (((starts & 1) && matchesAt(text, at, false)) || ((starts & 2) && matchesAt(text, at, true)))
                return at;
        }
    }
    return std::string_view::npos;
}

bool FoldedWord::matchesAt(std::string_view text, std::size_t at, bool fromSecondHalf) const
{
    const FoldedByte* table = foldTable();
    bool secondHalf = fromSecondHalf;
    for (const char wanted : m_folded) {
        if (at == text.size())
            return false;
        const FoldedByte& fold = table[static_cast<unsigned char>(text[at])];
        if ((secondHalf ? fold.second : fold.first) != wanted)
            return false;
        if (!secondHalf && fold.second != '\0') {
            secondHalf = true;
        } else {
            secondHalf = false;
            ++at;
        }
    }
    return true;
}

} // namespace talvane::search
