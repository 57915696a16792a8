#include "core/search/NaturalSortKey.h"

#include "core/search/TextFolding.h"

namespace talvane::search {
namespace {

bool isDigit(char byte)
{
    return byte >= '0' && byte <= '9';
}

// A number becomes '0' (so that it sorts where digits do), the count of its
// significant digits, then those digits: a longer number is a larger one. The
// count is its byte length followed by its bytes, highest first.
void appendNumber(std::string& key, std::string_view digits)
{
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    const std::string_view significant =
        firstSignificant == std::string_view::npos ? std::string_view{} : digits.substr(firstSignificant);
    char countBytes[sizeof(std::size_t)];
    std::size_t countLength = 0;
    for (std::size_t count = significant.size(); count != 0; count >>= 8)
        countBytes[countLength++] = static_cast<char>(count & 0xFF);
    key += '0';
    key += static_cast<char>(countLength);
    while (countLength > 0)
        key += countBytes[--countLength];
    key += significant;
}

} // namespace

std::string naturalSortKey(std::string_view text)
{
    const FoldedByte* table = foldTable();
    std::string key;
    key.reserve(text.size() + 4);
    std::size_t at = 0;
    while (at < text.size()) {
        if (isDigit(text[at])) {
            const std::size_t start = at;
            while (at < text.size() && isDigit(text[at]))
                ++at;
            appendNumber(key, text.substr(start, at - start));
            continue;
        }
        const FoldedByte& fold = table[static_cast<unsigned char>(text[at++])];
        key += fold.first;
        if (fold.second != '\0')
            key += fold.second;
    }
    return key;
}

} // namespace talvane::search
