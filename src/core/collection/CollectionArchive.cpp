#include "core/collection/CollectionArchive.h"

#include "core/text/Words.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <cstdint>
#include <stdexcept>

namespace talvane::collection {

namespace {

constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint16_t kFirstClassReference = kClassTag | 1;
constexpr std::string_view kClassName = "CBonsaiData";
// A tag and 115 one-byte empty texts: no entry is shorter.
constexpr std::size_t kSmallestEntryBytes = 2 + CBonsaiData::kFieldCount;

void putWord(std::string& out, std::uint16_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void putDword(std::string& out, std::uint32_t value)
{
    putWord(out, static_cast<std::uint16_t>(value & 0xFFFF));
    putWord(out, static_cast<std::uint16_t>(value >> 16));
}

void putText(std::string& out, std::string_view text)
{
    const std::size_t length = text.size();
    if (length < 0xFF) {
        out += static_cast<char>(length);
    } else if (length < 0xFFFE) {
        out += '\xFF';
        putWord(out, static_cast<std::uint16_t>(length));
    } else if (length <= 0xFFFFFFFFu) {
        out += '\xFF';
        putWord(out, 0xFFFF);
        putDword(out, static_cast<std::uint32_t>(length));
    } else {
        throw std::length_error(text::sayMessage(SHOWN_TEXT("a text of 4 GiB or more cannot be stored in a collection file")));
    }
    out += text;
}

// Reads little-endian values and texts, refusing to go past the end.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t position() const { return m_pos; }
    std::size_t remaining() const { return m_bytes.size() - m_pos; }

    bool word(std::uint16_t& value)
    {
        if (remaining() < 2)
            return false;
        value = static_cast<std::uint16_t>(byte(m_pos) | (byte(m_pos + 1) << 8));
        m_pos += 2;
        return true;
    }

    bool dword(std::uint32_t& value)
    {
        std::uint16_t low = 0, high = 0;
        if (remaining() < 4 || !word(low) || !word(high))
            return false;
        value = low | (static_cast<std::uint32_t>(high) << 16);
        return true;
    }

    bool bytes(std::size_t count, std::string_view& out)
    {
        if (remaining() < count)
            return false;
        out = m_bytes.substr(m_pos, count);
        m_pos += count;
        return true;
    }

private:
    unsigned byte(std::size_t at) const { return static_cast<unsigned char>(m_bytes[at]); }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

// The bytes in hand and not yet read: the whole input, or what has come of a file so
// far. Views of them hold until the window grows.
class ByteWindow {
public:
    explicit ByteWindow(std::string_view whole) : m_view(whole) {}
    ByteWindow(const ByteFeed& feed, std::size_t pieceBytes)
        : m_feed(&feed), m_buffer(std::max<std::size_t>(pieceBytes, 1), '\0')
    {
    }

    std::string_view view() const { return m_view; }
    void take(std::size_t count) { m_view.remove_prefix(count); }

    // Adds the next bytes of the feed after those in hand; false when there are none.
    bool grow()
    {
        if (!m_feed)
            return false;
        const std::size_t kept = m_view.size();
        if (kept > 0)
            std::memmove(m_buffer.data(), m_view.data(), kept);
        // A step that needs more than the whole buffer holds makes it twice as large.
        if (kept == m_buffer.size())
            m_buffer.resize(2 * m_buffer.size());
        const std::size_t got = (*m_feed)(m_buffer.data() + kept, m_buffer.size() - kept);
        m_view = std::string_view(m_buffer.data(), kept + got);
        return got > 0;
    }

private:
    const ByteFeed* m_feed = nullptr;
    std::string m_buffer;
    std::string_view m_view;
};

class CollectionReader {
public:
    CollectionReader(ByteWindow& window, std::uint64_t totalBytes, std::string& error, const EntryBatches& batches = {})
        : m_window(window), m_totalBytes(totalBytes), m_error(error), m_batches(batches)
    {
    }

    bool read(EntryList& entries)
    {
        std::uint32_t count = 0;
        if (!step([&](ByteReader& in) { return readCount(in, count); }))
            return false;
        const std::uint64_t left = m_totalBytes > m_taken ? m_totalBytes - m_taken : 0;
        if (count > left / kSmallestEntryBytes)
            return fail(SHOWN_TEXT("the entry count (%1) is larger than the file can hold"), {std::to_string(count)});
        EntryList read;
        read.reserve(m_batches ? 1 : count);
        std::size_t batchSize = 1;
        std::array<std::string_view, CBonsaiData::kFieldCount> texts;
        for (std::uint32_t i = 0; i < count; ++i) {
            m_entryNumber = i + 1;
            const bool entryRead = step([&](ByteReader& in) {
                if (!readTag(in, i == 0))
                    return false;
                for (auto& text : texts) {
                    if (!readText(in, text))
                        return false;
                }
                return true;
            });
            if (!entryRead)
                return false;
            // The texts are views of the window: they are copied before it grows.
            read.push_back(CBonsaiData::fromTexts(texts));
            if (m_batches && read.size() == batchSize) {
                if (!handOver(read))
                    return false;
                // Batches grow, so that their count stays small, up to a size a window
                // takes in without a pause.
                batchSize = std::min<std::size_t>(batchSize == 1 ? 512 : batchSize * 2, 8192);
            }
        }
        if (m_batches)
            return read.empty() || handOver(read);
        for (auto& entry : read)
            entries.push_back(std::move(entry));
        return true;
    }

private:
    bool handOver(EntryList& batch)
    {
        // A reader stopped by its listener has nothing to say: the listener knows why.
        if (!m_batches(batch))
            return false;
        batch.clear();
        return true;
    }

    // Runs one step of the reading on the bytes in hand. When they end before the
    // step does and the input has more, the step starts again with more in hand:
    // no step ever sees where a piece of the file ended.
    template <typename ReadStep>
    bool step(ReadStep step)
    {
        while (true) {
            ByteReader in(m_window.view());
            m_short = false;
            if (step(in)) {
                m_window.take(in.position());
                m_taken += in.position();
                return true;
            }
            if (!m_short || !m_window.grow())
                return false;
            m_error.clear();
        }
    }

    // Why the file cannot be read, English with its values filled in after it is said.
    bool fail(std::string_view english, const std::vector<std::string>& values = {})
    {
        const std::string reason = text::sayMessage(english, values);
        m_error = m_entryNumber ? text::sayMessage(SHOWN_TEXT("entry %1: %2"), {std::to_string(m_entryNumber), reason}) : reason;
        return false;
    }

    // The bytes in hand ended: more of the input may mend it.
    bool readShort(std::string_view english, const std::vector<std::string>& values = {})
    {
        m_short = true;
        return fail(english, values);
    }

    bool truncated() { return readShort(SHOWN_TEXT("the file ends too early")); }

    bool readCount(ByteReader& in, std::uint32_t& count)
    {
        std::uint16_t shortCount = 0;
        if (!in.word(shortCount))
            return truncated();
        if (shortCount != 0xFFFF) {
            count = shortCount;
            return true;
        }
        return in.dword(count) || truncated();
    }

    // The first entry introduces the class; every later one refers back to it.
    bool readTag(ByteReader& in, bool first)
    {
        std::uint16_t tag = 0;
        if (!in.word(tag))
            return truncated();
        if (tag == kNewClassTag) {
            if (!first)
                return fail(SHOWN_TEXT("the entry class is declared a second time"));
            return readClass(in);
        }
        if (first)
            return fail(SHOWN_TEXT("the file does not start with the entry class \"CBonsaiData\""));
        if (tag == kFirstClassReference)
            return true;
        if (tag == kBigObjectTag)
            return fail(SHOWN_TEXT("the file uses a long object tag, which Talvane never writes"));
        if (tag & kClassTag)
            return fail(SHOWN_TEXT("an entry refers to an unknown class"));
        return fail(tag == 0 ? SHOWN_TEXT("the file holds an empty object reference where an entry belongs")
                             : SHOWN_TEXT("the file refers back to an earlier object where an entry belongs"));
    }

    bool readClass(ByteReader& in)
    {
        std::uint16_t schema = 0, nameLength = 0;
        std::string_view name;
        if (!in.word(schema) || !in.word(nameLength) || !in.bytes(nameLength, name))
            return truncated();
        if (name != kClassName)
            return fail(SHOWN_TEXT("the file holds objects of class \"%1\", not \"CBonsaiData\""), {std::string(name)});
        if (schema != 0)
            return fail(SHOWN_TEXT("the entries have version %1 (only version 0 is known)"), {std::to_string(schema)});
        return true;
    }

    bool readText(ByteReader& in, std::string_view& text)
    {
        std::string_view lengthByte;
        if (!in.bytes(1, lengthByte))
            return truncated();
        std::uint32_t length = static_cast<unsigned char>(lengthByte[0]);
        if (length == 0xFF) {
            std::uint16_t word = 0;
            if (!in.word(word))
                return truncated();
            if (word == 0xFFFE)
                return fail(SHOWN_TEXT("the file holds a wide-character text, which Talvane never writes"));
            length = word;
            if (word == 0xFFFF && !in.dword(length))
                return truncated();
        }
        if (!in.bytes(length, text))
            return readShort(SHOWN_TEXT("a text claims %1 bytes but the file ends before them"), {std::to_string(length)});
        return true;
    }

    ByteWindow& m_window;
    std::uint64_t m_totalBytes;
    std::uint64_t m_taken = 0;
    std::string& m_error;
    const EntryBatches& m_batches;
    std::uint32_t m_entryNumber = 0;
    bool m_short = false;
};

} // namespace

namespace {

// Pieces of about this size go to a sink: large enough for few writes, small enough
// to cost nothing beside the collection.
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

template <typename EntryAt>
bool writeEntries(std::size_t count, EntryAt entryAt, const ByteSink& sink)
{
    std::string out;
    if (count < 0xFFFF) {
        putWord(out, static_cast<std::uint16_t>(count));
    } else {
        putWord(out, 0xFFFF);
        putDword(out, static_cast<std::uint32_t>(count));
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (i == 0) {
            putWord(out, kNewClassTag);
            putWord(out, 0);
            putWord(out, static_cast<std::uint16_t>(kClassName.size()));
            out += kClassName;
        } else {
            putWord(out, kFirstClassReference);
        }
        const CBonsaiData& entry = entryAt(i);
        for (std::size_t field = 0; field < CBonsaiData::kFieldCount; ++field)
            putText(out, entry[field]);
        if (out.size() >= kPieceBytes) {
            if (!sink(out))
                return false;
            out.clear();
        }
    }
    return sink(out);
}

ByteSink appendingTo(std::string& bytes)
{
    return [&bytes](std::string_view piece) {
        bytes += piece;
        return true;
    };
}

} // namespace

std::unique_ptr<CBonsaiData> copyEntry(const CBonsaiData& entry)
{
    std::array<std::string_view, CBonsaiData::kFieldCount> texts;
    for (std::size_t field = 0; field < CBonsaiData::kFieldCount; ++field)
        texts[field] = entry[field].view();
    return CBonsaiData::fromTexts(texts);
}

CBonsaiData& entryToChange(EntryList& entries, std::size_t position)
{
    auto& entry = entries.at(position);
    // Only the owning thread copies the list, so no new sharer can appear meanwhile.
    if (entry.use_count() > 1)
        entry = copyEntry(*entry);
    return *entry;
}

bool writeCollection(const EntryList& entries, const ByteSink& sink)
{
    return writeEntries(entries.size(), [&entries](std::size_t i) -> const CBonsaiData& { return *entries[i]; }, sink);
}

bool writeCollection(const EntryList& entries, std::size_t position, const CBonsaiData& replacement,
                     const ByteSink& sink)
{
    return writeEntries(
        entries.size(), [&](std::size_t i) -> const CBonsaiData& { return i == position ? replacement : *entries[i]; },
        sink);
}

std::string writeCollection(const EntryList& entries)
{
    std::string bytes;
    writeCollection(entries, appendingTo(bytes));
    return bytes;
}

std::string writeCollection(const EntryList& entries, std::size_t position, const CBonsaiData& replacement)
{
    std::string bytes;
    writeCollection(entries, position, replacement, appendingTo(bytes));
    return bytes;
}

bool readCollection(std::string_view bytes, EntryList& entries, std::string& error)
{
    ByteWindow window(bytes);
    return CollectionReader(window, bytes.size(), error).read(entries);
}

bool readCollection(const ByteFeed& feed, std::uint64_t totalBytes, EntryList& entries, std::string& error,
                    std::size_t pieceBytes, const EntryBatches& batches)
{
    ByteWindow window(feed, pieceBytes);
    return CollectionReader(window, totalBytes, error, batches).read(entries);
}

} // namespace talvane::collection
