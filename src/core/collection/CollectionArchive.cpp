#include "core/collection/CollectionArchive.h"

#include "core/text/Words.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <cstdint>
#include <stdexcept>

namespace {

constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint16_t kFirstClassReference = kClassTag | 1;
constexpr std::string_view kClassName = "CBonsaiData";
// A tag and 115 one-byte empty texts: no entry is shorter.
constexpr std::size_t kSmallestEntryBytes = 2 + CBonsaiData::kFieldCount;

void PutWord(std::string& out, std::uint16_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void PutDword(std::string& out, std::uint32_t value)
{
    PutWord(out, static_cast<std::uint16_t>(value & 0xFFFF));
    PutWord(out, static_cast<std::uint16_t>(value >> 16));
}

void PutText(std::string& out, std::string_view text)
{
    const std::size_t length = text.size();
    if (length < 0xFF) {
        out += static_cast<char>(length);
    } else if (length < 0xFFFE) {
        out += '\xFF';
        PutWord(out, static_cast<std::uint16_t>(length));
    } else if (length <= 0xFFFFFFFFu) {
        out += '\xFF';
        PutWord(out, 0xFFFF);
        PutDword(out, static_cast<std::uint32_t>(length));
    } else {
        throw std::length_error(text::sayMessage(SHOWN_TEXT("a text of 4 GiB or more cannot be stored in a collection file")));
    }
    out += text;
}

// Reads little-endian values and texts, refusing to go past the end.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t Position() const { return m_pos; }
    std::size_t Remaining() const { return m_bytes.size() - m_pos; }

    bool Word(std::uint16_t& value)
    {
        if (Remaining() < 2)
            return false;
        value = static_cast<std::uint16_t>(Byte(m_pos) | (Byte(m_pos + 1) << 8));
        m_pos += 2;
        return true;
    }

    bool Dword(std::uint32_t& value)
    {
        std::uint16_t low = 0, high = 0;
        if (Remaining() < 4 || !Word(low) || !Word(high))
            return false;
        value = low | (static_cast<std::uint32_t>(high) << 16);
        return true;
    }

    bool Bytes(std::size_t count, std::string_view& out)
    {
        if (Remaining() < count)
            return false;
        out = m_bytes.substr(m_pos, count);
        m_pos += count;
        return true;
    }

private:
    unsigned Byte(std::size_t at) const { return static_cast<unsigned char>(m_bytes[at]); }

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

    std::string_view View() const { return m_view; }
    void Take(std::size_t count) { m_view.remove_prefix(count); }

    // Adds the next bytes of the feed after those in hand; false when there are none.
    bool Grow()
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
    CollectionReader(ByteWindow& window, std::uint64_t totalBytes, std::string& error)
        : m_window(window), m_totalBytes(totalBytes), m_error(error)
    {
    }

    bool Read(EntryList& entries)
    {
        std::uint32_t count = 0;
        if (!Step([&](ByteReader& in) { return ReadCount(in, count); }))
            return false;
        const std::uint64_t left = m_totalBytes > m_taken ? m_totalBytes - m_taken : 0;
        if (count > left / kSmallestEntryBytes)
            return Fail(SHOWN_TEXT("the entry count (%1) is larger than the file can hold"), {std::to_string(count)});
        EntryList read;
        read.reserve(count);
        std::array<std::string_view, CBonsaiData::kFieldCount> texts;
        for (std::uint32_t i = 0; i < count; ++i) {
            m_entryNumber = i + 1;
            const bool entryRead = Step([&](ByteReader& in) {
                if (!ReadTag(in, i == 0))
                    return false;
                for (auto& text : texts) {
                    if (!ReadText(in, text))
                        return false;
                }
                return true;
            });
            if (!entryRead)
                return false;
            // The texts are views of the window: they are copied before it grows.
            read.push_back(CBonsaiData::fromTexts(texts));
        }
        for (auto& entry : read)
            entries.push_back(std::move(entry));
        return true;
    }

private:
    // Runs one step of the reading on the bytes in hand. When they end before the
    // step does and the input has more, the step starts again with more in hand:
    // no step ever sees where a piece of the file ended.
    template <typename ReadStep>
    bool Step(ReadStep step)
    {
        while (true) {
            ByteReader in(m_window.View());
            m_short = false;
            if (step(in)) {
                m_window.Take(in.Position());
                m_taken += in.Position();
                return true;
            }
            if (!m_short || !m_window.Grow())
                return false;
            m_error.clear();
        }
    }

    // Why the file cannot be read, English with its values filled in after it is said.
    bool Fail(std::string_view english, const std::vector<std::string>& values = {})
    {
        const std::string reason = text::sayMessage(english, values);
        m_error = m_entryNumber ? text::sayMessage(SHOWN_TEXT("entry %1: %2"), {std::to_string(m_entryNumber), reason}) : reason;
        return false;
    }

    // The bytes in hand ended: more of the input may mend it.
    bool Short(std::string_view english, const std::vector<std::string>& values = {})
    {
        m_short = true;
        return Fail(english, values);
    }

    bool Truncated() { return Short(SHOWN_TEXT("the file ends too early")); }

    bool ReadCount(ByteReader& in, std::uint32_t& count)
    {
        std::uint16_t shortCount = 0;
        if (!in.Word(shortCount))
            return Truncated();
        if (shortCount != 0xFFFF) {
            count = shortCount;
            return true;
        }
        return in.Dword(count) || Truncated();
    }

    // The first entry introduces the class; every later one refers back to it.
    bool ReadTag(ByteReader& in, bool first)
    {
        std::uint16_t tag = 0;
        if (!in.Word(tag))
            return Truncated();
        if (tag == kNewClassTag) {
            if (!first)
                return Fail(SHOWN_TEXT("the entry class is declared a second time"));
            return ReadClass(in);
        }
        if (first)
            return Fail(SHOWN_TEXT("the file does not start with the entry class \"CBonsaiData\""));
        if (tag == kFirstClassReference)
            return true;
        if (tag == kBigObjectTag)
            return Fail(SHOWN_TEXT("the file uses a long object tag, which Talvane never writes"));
        if (tag & kClassTag)
            return Fail(SHOWN_TEXT("an entry refers to an unknown class"));
        return Fail(tag == 0 ? SHOWN_TEXT("the file holds an empty object reference where an entry belongs")
                             : SHOWN_TEXT("the file refers back to an earlier object where an entry belongs"));
    }

    bool ReadClass(ByteReader& in)
    {
        std::uint16_t schema = 0, nameLength = 0;
        std::string_view name;
        if (!in.Word(schema) || !in.Word(nameLength) || !in.Bytes(nameLength, name))
            return Truncated();
        if (name != kClassName)
            return Fail(SHOWN_TEXT("the file holds objects of class \"%1\", not \"CBonsaiData\""), {std::string(name)});
        if (schema != 0)
            return Fail(SHOWN_TEXT("the entries have version %1 (only version 0 is known)"), {std::to_string(schema)});
        return true;
    }

    bool ReadText(ByteReader& in, std::string_view& text)
    {
        std::string_view lengthByte;
        if (!in.Bytes(1, lengthByte))
            return Truncated();
        std::uint32_t length = static_cast<unsigned char>(lengthByte[0]);
        if (length == 0xFF) {
            std::uint16_t word = 0;
            if (!in.Word(word))
                return Truncated();
            if (word == 0xFFFE)
                return Fail(SHOWN_TEXT("the file holds a wide-character text, which Talvane never writes"));
            length = word;
            if (word == 0xFFFF && !in.Dword(length))
                return Truncated();
        }
        if (!in.Bytes(length, text))
            return Short(SHOWN_TEXT("a text claims %1 bytes but the file ends before them"), {std::to_string(length)});
        return true;
    }

    ByteWindow& m_window;
    std::uint64_t m_totalBytes;
    std::uint64_t m_taken = 0;
    std::string& m_error;
    std::uint32_t m_entryNumber = 0;
    bool m_short = false;
};

} // namespace

namespace {

template <typename EntryAt>
std::string WriteEntries(std::size_t count, EntryAt entryAt)
{
    std::string out;
    if (count < 0xFFFF) {
        PutWord(out, static_cast<std::uint16_t>(count));
    } else {
        PutWord(out, 0xFFFF);
        PutDword(out, static_cast<std::uint32_t>(count));
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (i == 0) {
            PutWord(out, kNewClassTag);
            PutWord(out, 0);
            PutWord(out, static_cast<std::uint16_t>(kClassName.size()));
            out += kClassName;
        } else {
            PutWord(out, kFirstClassReference);
        }
        const CBonsaiData& entry = entryAt(i);
        for (std::size_t field = 0; field < CBonsaiData::kFieldCount; ++field)
            PutText(out, entry[field]);
    }
    return out;
}

} // namespace

std::unique_ptr<CBonsaiData> CopyEntry(const CBonsaiData& entry)
{
    std::array<std::string_view, CBonsaiData::kFieldCount> texts;
    for (std::size_t field = 0; field < CBonsaiData::kFieldCount; ++field)
        texts[field] = entry[field].view();
    return CBonsaiData::fromTexts(texts);
}

std::string WriteCollection(const EntryList& entries)
{
    return WriteEntries(entries.size(), [&entries](std::size_t i) -> const CBonsaiData& { return *entries[i]; });
}

std::string WriteCollection(const EntryList& entries, std::size_t position, const CBonsaiData& replacement)
{
    return WriteEntries(entries.size(), [&](std::size_t i) -> const CBonsaiData& {
        return i == position ? replacement : *entries[i];
    });
}

bool ReadCollection(std::string_view bytes, EntryList& entries, std::string& error)
{
    ByteWindow window(bytes);
    return CollectionReader(window, bytes.size(), error).Read(entries);
}

bool ReadCollection(const ByteFeed& feed, std::uint64_t totalBytes, EntryList& entries, std::string& error,
                    std::size_t pieceBytes)
{
    ByteWindow window(feed, pieceBytes);
    return CollectionReader(window, totalBytes, error).Read(entries);
}
