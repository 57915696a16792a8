#include "core/search/TextFolding.h"

#include <array>

namespace talvane::search {
namespace {

struct Spelling {
    unsigned char byte;
    const char* folded;
};

// The Windows-1252 letters outside ASCII and how they are spelled once folded.
constexpr Spelling kLetters[] = {
    {0x83, "f"},  {0x8A, "s"},  {0x8C, "oe"}, {0x8E, "z"},  {0x9A, "s"},  {0x9C, "oe"}, {0x9E, "z"},
    {0x9F, "y"},  {0xAA, "a"},  {0xBA, "o"},  {0xC0, "a"},  {0xC1, "a"},  {0xC2, "a"},  {0xC3, "a"},
    {0xC4, "a"},  {0xC5, "a"},  {0xC6, "ae"}, {0xC7, "c"},  {0xC8, "e"},  {0xC9, "e"},  {0xCA, "e"},
    {0xCB, "e"},  {0xCC, "i"},  {0xCD, "i"},  {0xCE, "i"},  {0xCF, "i"},  {0xD0, "d"},  {0xD1, "n"},
    {0xD2, "o"},  {0xD3, "o"},  {0xD4, "o"},  {0xD5, "o"},  {0xD6, "o"},  {0xD8, "o"},  {0xD9, "u"},
    {0xDA, "u"},  {0xDB, "u"},  {0xDC, "u"},  {0xDD, "y"},  {0xDE, "th"}, {0xDF, "ss"}, {0xE0, "a"},
    {0xE1, "a"},  {0xE2, "a"},  {0xE3, "a"},  {0xE4, "a"},  {0xE5, "a"},  {0xE6, "ae"}, {0xE7, "c"},
    {0xE8, "e"},  {0xE9, "e"},  {0xEA, "e"},  {0xEB, "e"},  {0xEC, "i"},  {0xED, "i"},  {0xEE, "i"},
    {0xEF, "i"},  {0xF0, "d"},  {0xF1, "n"},  {0xF2, "o"},  {0xF3, "o"},  {0xF4, "o"},  {0xF5, "o"},
    {0xF6, "o"},  {0xF8, "o"},  {0xF9, "u"},  {0xFA, "u"},  {0xFB, "u"},  {0xFC, "u"},  {0xFD, "y"},
    {0xFE, "th"}, {0xFF, "y"},
};

std::array<FoldedByte, 256> makeFoldTable()
{
    std::array<FoldedByte, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = {static_cast<char>(byte), '\0'};
    for (int byte = 'A'; byte <= 'Z'; ++byte)
        table[byte].first = static_cast<char>(byte - 'A' + 'a');
    for (const auto& letter : kLetters)
        table[letter.byte] = {letter.folded[0], letter.folded[1]};
    return table;
}

} // namespace

const FoldedByte* foldTable()
{
    static const std::array<FoldedByte, 256> table = makeFoldTable();
    return table.data();
}

std::string foldText(std::string_view text)
{
    const FoldedByte* table = foldTable();
    std::string folded;
    folded.reserve(text.size());
    for (const char byte : text) {
        const FoldedByte& fold = table[static_cast<unsigned char>(byte)];
        folded += fold.first;
        if (fold.second != '\0')
            folded += fold.second;
    }
    return folded;
}

} // namespace talvane::search
