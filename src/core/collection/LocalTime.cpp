#include "core/collection/LocalTime.h"

#include <ctime>

namespace talvane::collection {

std::string localTimeText(std::int64_t seconds, const char* format)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local {};
    ::localtime_r(&time, &local);
    char text[64];
    return std::string(text, std::strftime(text, sizeof text, format, &local));
}

} // namespace talvane::collection
