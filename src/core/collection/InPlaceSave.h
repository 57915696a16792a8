#pragma once

#include "core/collection/FileIdentity.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvane::collection {

// A collection that cannot be replaced by a new file (it has other hard links, or the
// new file could not be given its owner, ACLs or attributes) is written in place, the
// way a database writes through a rollback journal: a complete copy of the old bytes
// is flushed beside it under its final name before the first byte is overwritten, and
// removed once the new bytes are on disk. A copy still there means the save stopped
// before it finished, and the collection is put back from it.

// Where that copy of the file `target` lives while it is written: ".<name>.backup.<inode>",
// so that a copy is only ever put back into the very file it was made of.
std::filesystem::path inPlaceBackupPath(const std::filesystem::path& target, std::uint64_t inode);

// Writes `bytes` over the content of the regular file `target` itself, which must
// still be the file `expected` describes, so that its inode, owner, ACLs, extended
// attributes and other hard links stay. `oldBytes` are its present content. After a
// failed write the old bytes are put back; where even that fails, the copy stays and
// the collection is put back from it when it is next opened. `written` receives what
// the file is afterwards.
std::optional<std::string> writeInPlace(const std::filesystem::path& target, const struct stat& expected,
                                        std::string_view oldBytes, std::string_view bytes, FileIdentity& written);

// Puts the collection back from the copy of a save that stopped while writing it in
// place, unless another live program holds its lock (that program may be saving it).
// Gives what happened in words for the user; nothing when there was nothing to do.
std::optional<std::string> rollBackInterruptedSave(const std::filesystem::path& collection);

// The copies of the collection beside it that saves left behind and that hold a whole
// collection, newest first: what can bring back a collection that cannot be read.
std::vector<std::filesystem::path> saveBackupsBeside(const std::filesystem::path& collection);

} // namespace talvane::collection
