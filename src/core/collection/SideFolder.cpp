#include "collection/SideFolder.h"

#include <unistd.h>

namespace {

bool IsUsableFolder(const std::filesystem::path& path)
{
    std::error_code error;
    // A folder's files can only be opened when it can be both listed and entered.
    return std::filesystem::is_directory(path, error) && ::access(path.c_str(), R_OK | X_OK) == 0;
}

} // namespace

std::filesystem::path SideFolder(std::string_view name, const std::filesystem::path& startFolder,
                                 const std::filesystem::path& collectionPath)
{
    const std::filesystem::path started = startFolder / name;
    if (collectionPath.empty() || IsUsableFolder(started))
        return started;
    return std::filesystem::absolute(collectionPath).parent_path() / name;
}
