#pragma once

#include "core/collection/ByteSink.h"
#include "core/collection/FileIdentity.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvane::collection {

// The unsaved work of a running Talvane, kept so that a crash, a kill or a power cut
// loses at most the last few seconds. Each running program keeps one file, named by
// its process id, holding the collection's path and title and the collection as it
// would be saved now.
struct RecoveryRecord {
    std::filesystem::path file;           // the recovery file itself
    std::filesystem::path collectionPath; // the collection's file, empty for an untitled one
    std::string title;                    // what the window called the collection
    std::int64_t pid = 0;                 // the program that wrote it
    std::int64_t writtenAt = 0;           // seconds since the epoch
    // The collection's file as the unsaved work found it when it was opened or last
    // saved: a file that changed since is not simply written over when the work is restored.
    std::optional<FileIdentity> basedOn;
    // The folder holding the pictures of an untitled collection until its first save.
    std::filesystem::path stagedPictures;
};

class RecoveryStore {
public:
    // `folder` holds the recovery files; it is made when first written.
    explicit RecoveryStore(std::filesystem::path folder);

    // The folder in the user's state folder: $XDG_STATE_HOME/talvane/recovery, by
    // default ~/.local/state/talvane/recovery.
    static std::filesystem::path defaultFolder();

    // Replaces this process's recovery file atomically.
    std::optional<std::string> write(const RecoveryRecord& record, std::string_view collectionBytes) const;
    // The same with the collection's bytes made piece by piece while they are written.
    std::optional<std::string> write(const RecoveryRecord& record, const BytePieces& collectionBytes) const;
    // Removes this process's recovery file, if any.
    void remove() const;
    // The recovery files left by programs that are no longer running, newest first.
    std::vector<RecoveryRecord> leftBehind() const;
    // Reads the collection bytes kept in a recovery file.
    static std::optional<std::string> readCollection(const RecoveryRecord& record, std::string& bytes);
    // Removes a recovery file, with the pictures staged for its untitled collection.
    static void discard(const RecoveryRecord& record);

    // Where this program's untitled collection keeps its pictures until first saved: a
    // folder named by the process id, so that one left by a program that stopped can be
    // told from one in use.
    std::filesystem::path stagingFolder() const;
    // Removes the staging folders of programs no longer running that no recovery file names.
    void removeStrayStaging() const;

    std::filesystem::path ownFile() const;

private:
    std::filesystem::path m_folder;
};

} // namespace talvane::collection
