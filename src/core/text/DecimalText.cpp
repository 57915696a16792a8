#include "core/text/DecimalText.h"

#include <climits>

namespace talvane::text {

int decimalTextToInt(std::string_view value)
{
    std::size_t pos = 0;
    while (pos < value.size() && (value[pos] == ' ' || (value[pos] >= '\t' && value[pos] <= '\r')))
        ++pos;
    bool negative = false;
    if (pos < value.size() && (value[pos] == '+' || value[pos] == '-'))
        negative = value[pos++] == '-';
    long long magnitude = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; pos < value.size() && value[pos] >= '0' && value[pos] <= '9'; ++pos) {
        magnitude = magnitude * 10 + (value[pos] - '0');
        if (magnitude >= limit) {
            magnitude = limit;
            // Further digits cannot bring it back into range.
            break;
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

} // namespace talvane::text
