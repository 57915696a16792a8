#pragma once

#include "core/collection/BonsaiData.h"
#include "core/collection/ByteSink.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace talvane::collection {

// The ordered entries of one collection, as held in memory. Entries are shared so that
// a copy of the list, a snapshot another thread may read while the window goes on, costs a
// pointer per entry: whoever changes an entry a snapshot shares changes a copy of it instead.
using EntryList = std::vector<std::shared_ptr<CBonsaiData>>;

// A copy of an entry, field for field.
std::unique_ptr<CBonsaiData> copyEntry(const CBonsaiData& entry);

// The entry at `position`, ready to be changed: one a snapshot shares is first replaced
// by a copy, so that the snapshot keeps it as it was. Only the thread that owns the list
// may call it, and a reference to the entry taken before does not see the change.
CBonsaiData& entryToChange(EntryList& entries, std::size_t position);

// The bytes of a .tvn file: the entry count, then each entry as its class tag and
// its 115 length-prefixed texts. There is no header and no version.
// Throws std::length_error for a text of 4 GiB or more, which the format cannot hold.
std::string writeCollection(const EntryList& entries);
// The same with the entry at `position` written as `replacement`: a collection with
// one entry as it is being edited, without changing the list.
std::string writeCollection(const EntryList& entries, std::size_t position, const CBonsaiData& replacement);
// The same bytes given to `sink` about a megabyte at a time: a large collection is never
// in memory twice. False when the sink refused a piece.
bool writeCollection(const EntryList& entries, const ByteSink& sink);
bool writeCollection(const EntryList& entries, std::size_t position, const CBonsaiData& replacement,
                     const ByteSink& sink);

// Reads the bytes of a .tvn file and appends its entries to `entries`. A file that
// is damaged, or uses a form this program never writes, yields no entries: the
// result is false and `error` says why, in words a user can act on.
bool readCollection(std::string_view bytes, EntryList& entries, std::string& error);

// Gives the next bytes of a collection: fills `into` with at most `most` bytes and
// gives how many, 0 at the end.
using ByteFeed = std::function<std::size_t(char* into, std::size_t most)>;

// Hears of the entries of a collection as they are read, a batch at a time, so that they
// can be shown before the whole file is in: the first batch holds the first entry alone,
// the later ones more. It takes the entries out of `batch`; false stops the reading.
using EntryBatches = std::function<bool(EntryList& batch)>;

// The pieces a file is read in.
inline constexpr std::size_t kReadPieceBytes = std::size_t{1} << 20;

// Reads a collection that arrives piece by piece exactly as the one above reads it
// whole, holding only about a piece and the entry being read: a large file is never
// in memory twice. `totalBytes` is the input's size as far as it is known. Given
// `batches`, the entries go there as they are read rather than to `entries`; those of a
// file found damaged further on have been handed over already.
bool readCollection(const ByteFeed& feed, std::uint64_t totalBytes, EntryList& entries, std::string& error,
                    std::size_t pieceBytes = kReadPieceBytes, const EntryBatches& batches = {});

} // namespace talvane::collection
