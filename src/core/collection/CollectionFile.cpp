#include "collection/CollectionFile.h"

#include "collection/SafeFile.h"

#include <stdexcept>

std::optional<std::string> LoadCollectionFile(const std::filesystem::path& path, EntryList& entries)
{
    InputFile file;
    if (auto failure = file.Open(path))
        return failure;
    std::string reason;
    const ByteFeed feed = [&file](char* into, std::size_t most) { return file.Read(into, most); };
    const bool read = ReadCollection(feed, file.Size(), entries, reason);
    if (read)
        return std::nullopt;
    // A failed read ends the bytes early: its reason is the one that tells the truth.
    if (file.Failure())
        return file.Failure();
    return "it is not a valid Talvane collection (" + reason + ")";
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
