#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace talvane::collection {

// Bytes that never move once stored, kept in a short chain of blocks. Storing only
// appends: nothing is freed before the arena itself, so a view of stored bytes stays
// valid for the arena's whole life. One block per entry is the usual case, which keeps
// a loaded collection at a handful of allocations per entry.
class TextArena {
public:
    // Where stored bytes lie: a block number and an offset in that block.
    struct Place {
        std::uint32_t offset;
        std::uint8_t block;
    };

    TextArena() = default;
    TextArena(const TextArena&) = delete;
    TextArena& operator=(const TextArena&) = delete;
    ~TextArena();

    // Makes sure the next `bytes` bytes stored go into one block.
    void reserve(std::size_t bytes);
    // Copies `text` in. Throws std::length_error for a text of 4 GiB or more.
    Place store(std::string_view text);
    const char* at(Place place) const;

private:
    struct Block;

    Block* m_last = nullptr;
    std::uint32_t m_used = 0;
};

} // namespace talvane::collection
