// Feeds arbitrary bytes to the collection reader. A damaged file must add no entry
// and say why; a file that reads must write back to bytes that read to the same
// entries, or saving a collection just opened would change it.
#include "core/collection/CollectionArchive.h"
#include "support/core/PieceFeed.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace talvane::collection;

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "collection_reader_fuzzer: %s\n", what);
    std::abort();
}

bool sameEntries(const EntryList& a, const EntryList& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const CBonsaiData& left = *a[i];
        const CBonsaiData& right = *b[i];
        for (std::size_t field = 0; field < CBonsaiData::kFieldCount; ++field) {
            if (left[field] != right[field])
                return false;
        }
    }
    return true;
}

void checkRoundTrip(const EntryList& entries)
{
    const std::string written = writeCollection(entries);
    EntryList reread;
    std::string error;
    if (!readCollection(written, reread, error))
        fail(("written entries do not read back: " + error).c_str());
    if (!sameEntries(entries, reread))
        fail("written entries read back different");
    if (writeCollection(reread) != written)
        fail("rewriting read-back entries changes the bytes");
}

// The same bytes arriving a few at a time, as from a file read in pieces, must read
// to the same entries or fail with the same reason.
void checkPiecewiseReading(std::string_view bytes, bool read, const EntryList& entries, const std::string& error)
{
    const std::size_t perRead = bytes.size() % 7 + 1;
    EntryList pieces;
    std::string pieceError;
    if (readCollection(pieceFeed(bytes, perRead), bytes.size(), pieces, pieceError, perRead) != read)
        fail("reading in pieces succeeds where reading whole does not, or the reverse");
    if (pieceError != error)
        fail("reading in pieces gives another reason");
    if (!sameEntries(entries, pieces))
        fail("reading in pieces gives other entries");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    EntryList entries;
    std::string error;
    const bool read = readCollection(bytes, entries, error);
    checkPiecewiseReading(bytes, read, entries, error);
    if (read) {
        checkRoundTrip(entries);
    } else {
        if (!entries.empty())
            fail("a damaged file added entries");
        if (error.empty())
            fail("a damaged file gave no reason");
    }
    return 0;
}
