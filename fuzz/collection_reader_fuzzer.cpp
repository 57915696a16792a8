// Feeds arbitrary bytes to the collection reader. A damaged file must add no entry
// and say why; a file that reads must write back to bytes that read to the same
// entries, or saving a collection just opened would change it.
#include "collection/CollectionArchive.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "collection_reader_fuzzer: %s\n", what);
    std::abort();
}

bool SameEntries(const EntryList& a, const EntryList& b)
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

void CheckRoundTrip(const EntryList& entries)
{
    const std::string written = WriteCollection(entries);
    EntryList reread;
    std::string error;
    if (!ReadCollection(written, reread, error))
        Fail(("written entries do not read back: " + error).c_str());
    if (!SameEntries(entries, reread))
        Fail("written entries read back different");
    if (WriteCollection(reread) != written)
        Fail("rewriting read-back entries changes the bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    EntryList entries;
    std::string error;
    if (ReadCollection(bytes, entries, error)) {
        CheckRoundTrip(entries);
    } else {
        if (!entries.empty())
            Fail("a damaged file added entries");
        if (error.empty())
            Fail("a damaged file gave no reason");
    }
    return 0;
}
