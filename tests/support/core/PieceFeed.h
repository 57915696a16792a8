#pragma once

#include "core/collection/CollectionArchive.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

// Gives `bytes` at most `perRead` at a time, as a file read in small pieces would.
inline talvane::collection::ByteFeed pieceFeed(std::string_view bytes, std::size_t perRead)
{
    return [bytes, perRead, at = std::size_t{0}](char* into, std::size_t most) mutable {
        const std::size_t count = std::min({most, perRead, bytes.size() - at});
        std::copy_n(bytes.data() + at, count, into);
        at += count;
        return count;
    };
}
