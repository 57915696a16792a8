#pragma once

#include "core/collection/BonsaiData.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace talvane::collection {

// The ordered entries of one collection, as held in memory.
using EntryList = std::vector<std::unique_ptr<CBonsaiData>>;

// A copy of an entry, field for field.
std::unique_ptr<CBonsaiData> copyEntry(const CBonsaiData& entry);

// The bytes of a .tvn file: the entry count, then each entry as its class tag and
// its 115 length-prefixed texts. There is no header and no version.
// Throws std::length_error for a text of 4 GiB or more, which the format cannot hold.
std::string writeCollection(const EntryList& entries);
// The same with the entry at `position` written as `replacement`: a collection with
// one entry as it is being edited, without changing the list.
std::string writeCollection(const EntryList& entries, std::size_t position, const CBonsaiData& replacement);

// Reads the bytes of a .tvn file and appends its entries to `entries`. A file that
// is damaged, or uses a form this program never writes, yields no entries: the
// result is false and `error` says why, in words a user can act on.
bool readCollection(std::string_view bytes, EntryList& entries, std::string& error);

// Gives the next bytes of a collection: fills `into` with at most `most` bytes and
// gives how many, 0 at the end.
using ByteFeed = std::function<std::size_t(char* into, std::size_t most)>;

// Reads a collection that arrives piece by piece exactly as the one above reads it
// whole, holding only about a piece and the entry being read: a large file is never
// in memory twice. `totalBytes` is the input's size as far as it is known.
bool readCollection(const ByteFeed& feed, std::uint64_t totalBytes, EntryList& entries, std::string& error,
                    std::size_t pieceBytes = std::size_t{1} << 20);

} // namespace talvane::collection
