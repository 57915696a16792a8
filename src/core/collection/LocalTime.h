#pragma once

#include <cstdint>
#include <string>

namespace talvane::collection {

// A time in seconds since the epoch written in local time with strftime's `format`.
std::string localTimeText(std::int64_t seconds, const char* format);

} // namespace talvane::collection
