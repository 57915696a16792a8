#include "core/collection/UserFolders.h"

#include "core/collection/PosixFile.h"
#include "core/collection/SafeFile.h"
#include "core/collection/Sha256.h"

#include <cstdlib>

namespace talvane::collection {

std::optional<std::filesystem::path> userFolder(const char* variable, const std::filesystem::path& underHome)
{
    // The rules ask for a relative value to be ignored, as if it were not set.
    if (const char* value = std::getenv(variable); value && value[0] == '/')
        return std::filesystem::path(value);
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        return std::filesystem::path(home) / underHome;
    return std::nullopt;
}

std::string collectionKey(const std::filesystem::path& collection)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(collection, error);
    return (error ? collection : absolute).lexically_normal().string();
}

std::filesystem::path collectionFileIn(const char* variable, const std::filesystem::path& underHome,
                                       std::string_view kind, const std::filesystem::path& collection)
{
    const auto folder = userFolder(variable, underHome).value_or(std::filesystem::temp_directory_path());
    return folder / "talvane" / kind / (sha256Hex(collectionKey(collection)).substr(0, 32) + ".json");
}

std::optional<std::string> makeOwnFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    if (std::filesystem::create_directories(folder, error))
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
    if (error)
        return systemReason(error.value());
    return std::nullopt;
}

std::optional<std::string> writeOwnFile(const std::filesystem::path& file, std::string_view bytes)
{
    if (auto failure = makeOwnFolder(file.parent_path()))
        return failure;
    return replaceFile(file, bytes);
}

} // namespace talvane::collection
