#include "core/collection/LocalTime.h"

#include <ctime>

std::string LocalTimeText(std::int64_t seconds, const char* format)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local {};
    ::localtime_r(&time, &local);
    char text[64];
    return std::string(text, std::strftime(text, sizeof text, format, &local));
}
