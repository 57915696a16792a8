#include "collection/CollectionFile.h"

#include "collection/SafeFile.h"

#include <stdexcept>

std::optional<std::string> LoadCollectionFile(const std::filesystem::path& path, EntryList& entries)
{
    std::string bytes;
    if (auto failure = ReadWholeFile(path, bytes))
        return failure;
    std::string reason;
    if (!ReadCollection(bytes, entries, reason))
        return "it is not a valid Talvane collection (" + reason + ")";
    return std::nullopt;
}

std::optional<std::string> SaveCollectionFile(const std::filesystem::path& path, const EntryList& entries)
{
    std::string bytes;
    try {
        bytes = WriteCollection(entries);
    } catch (const std::length_error& e) {
        return std::string(e.what());
    }
    return ReplaceFile(path, bytes);
}
