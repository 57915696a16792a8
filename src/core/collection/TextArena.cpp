#include "core/collection/TextArena.h"

#include "core/text/Words.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

namespace talvane::collection {

// A block's bytes follow its header in the same allocation.
struct TextArena::Block {
    Block* previous;
    std::uint32_t capacity;
    std::uint8_t number;

    char* bytes() { return reinterpret_cast<char*>(this + 1); }
};

namespace {

constexpr std::size_t kMaxBlockBytes = std::numeric_limits<std::uint32_t>::max();
// Blocks added after the first grow at least this much, so that an entry edited
// many times keeps a short chain.
constexpr std::size_t kSmallestBlockBytes = 64;

} // namespace

TextArena::~TextArena()
{
    while (m_last) {
        Block* previous = m_last->previous;
        ::operator delete(m_last);
        m_last = previous;
    }
}

void TextArena::reserve(std::size_t bytes)
{
    if (bytes == 0 || (m_last && m_last->capacity - m_used >= bytes))
        return;
    if (bytes > kMaxBlockBytes)
        throw std::length_error(text::sayMessage(SHOWN_TEXT("the texts of one entry cannot take 4 GiB or more")));
    if (m_last && m_last->number == std::numeric_limits<std::uint8_t>::max())
        throw std::length_error(text::sayMessage(SHOWN_TEXT("an entry cannot hold more texts")));
    // The first block is made to measure; later ones grow with the chain.
    std::size_t capacity = bytes;
    if (m_last)
        capacity = std::min(kMaxBlockBytes, std::max({bytes, kSmallestBlockBytes, std::size_t{2} * m_last->capacity}));
    void* memory = ::operator new(sizeof(Block) + capacity);
    const auto number = static_cast<std::uint8_t>(m_last ? m_last->number + 1 : 0);
    m_last = new (memory) Block{m_last, static_cast<std::uint32_t>(capacity), number};
    m_used = 0;
}

TextArena::Place TextArena::store(std::string_view text)
{
    reserve(text.size());
    const Place place{m_used, m_last->number};
    if (!text.empty())
        std::memcpy(m_last->bytes() + m_used, text.data(), text.size());
    m_used += static_cast<std::uint32_t>(text.size());
    return place;
}

const char* TextArena::at(Place place) const
{
    Block* block = m_last;
    while (block->number != place.block)
        block = block->previous;
    return block->bytes() + place.offset;
}

} // namespace talvane::collection
