#include "core/picture/PhotoSize.h"

#include <algorithm>
#include <cmath>

namespace talvane::picture {

PhotoSize fitWithin(PhotoSize size, int side)
{
    if (size.width <= side && size.height <= side)
        return size;
    const auto shorter = [side](int length, int longest) {
        return std::max(1, static_cast<int>(std::lround(static_cast<double>(length) * side / longest)));
    };
    if (size.width >= size.height)
        return {side, shorter(size.height, size.width)};
    return {shorter(size.width, size.height), side};
}

} // namespace talvane::picture
