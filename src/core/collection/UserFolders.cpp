#include "collection/UserFolders.h"

#include <cstdlib>

std::optional<std::filesystem::path> UserFolder(const char* variable, const std::filesystem::path& underHome)
{
    // The rules ask for a relative value to be ignored, as if it were not set.
    if (const char* value = std::getenv(variable); value && value[0] == '/')
        return std::filesystem::path(value);
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        return std::filesystem::path(home) / underHome;
    return std::nullopt;
}
