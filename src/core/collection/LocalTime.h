#pragma once

#include <cstdint>
#include <string>

// A time in seconds since the epoch written in local time with strftime's `format`.
std::string LocalTimeText(std::int64_t seconds, const char* format);
