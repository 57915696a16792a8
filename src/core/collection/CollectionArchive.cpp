#include "collection/CollectionArchive.h"

#include <array>
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
        throw std::length_error("a text of 4 GiB or more cannot be stored in a collection file");
    }
    out += text;
}

// Reads little-endian values and texts, refusing to go past the end.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

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

class CollectionReader {
public:
    CollectionReader(std::string_view bytes, std::string& error) : m_in(bytes), m_error(error) {}

    bool Read(EntryList& entries)
    {
        std::uint32_t count = 0;
        if (!ReadCount(count))
            return false;
        if (count > m_in.Remaining() / kSmallestEntryBytes)
            return Fail("the entry count (" + std::to_string(count) + ") is larger than the file can hold");
        EntryList read;
        read.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            m_entryNumber = i + 1;
            if (!ReadTag(i == 0))
                return false;
            std::array<std::string_view, CBonsaiData::kFieldCount> texts;
            for (auto& text : texts) {
                if (!ReadText(text))
                    return false;
            }
            read.push_back(CBonsaiData::FromTexts(texts));
        }
        for (auto& entry : read)
            entries.push_back(std::move(entry));
        return true;
    }

private:
    bool Fail(const std::string& reason)
    {
        m_error = m_entryNumber ? "entry " + std::to_string(m_entryNumber) + ": " + reason : reason;
        return false;
    }

    bool Truncated() { return Fail("the file ends too early"); }

    bool ReadCount(std::uint32_t& count)
    {
        std::uint16_t shortCount = 0;
        if (!m_in.Word(shortCount))
            return Truncated();
        if (shortCount != 0xFFFF) {
            count = shortCount;
            return true;
        }
        return m_in.Dword(count) || Truncated();
    }

    // The first entry introduces the class; every later one refers back to it.
    bool ReadTag(bool first)
    {
        std::uint16_t tag = 0;
        if (!m_in.Word(tag))
            return Truncated();
        if (tag == kNewClassTag) {
            if (!first)
                return Fail("the entry class is declared a second time");
            return ReadClass();
        }
        if (first)
            return Fail("the file does not start with the entry class \"CBonsaiData\"");
        if (tag == kFirstClassReference)
            return true;
        if (tag == kBigObjectTag)
            return Fail("the file uses a long object tag, which Talvane never writes");
        if (tag & kClassTag)
            return Fail("an entry refers to an unknown class");
        return Fail(tag == 0 ? "the file holds an empty object reference where an entry belongs"
                             : "the file refers back to an earlier object where an entry belongs");
    }

    bool ReadClass()
    {
        std::uint16_t schema = 0, nameLength = 0;
        std::string_view name;
        if (!m_in.Word(schema) || !m_in.Word(nameLength) || !m_in.Bytes(nameLength, name))
            return Truncated();
        if (name != kClassName)
            return Fail("the file holds objects of class \"" + std::string(name) + "\", not \"CBonsaiData\"");
        if (schema != 0)
            return Fail("the entries have version " + std::to_string(schema) + " (only version 0 is known)");
        return true;
    }

    bool ReadText(std::string_view& text)
    {
        std::string_view lengthByte;
        if (!m_in.Bytes(1, lengthByte))
            return Truncated();
        std::uint32_t length = static_cast<unsigned char>(lengthByte[0]);
        if (length == 0xFF) {
            std::uint16_t word = 0;
            if (!m_in.Word(word))
                return Truncated();
            if (word == 0xFFFE)
                return Fail("the file holds a wide-character text, which Talvane never writes");
            length = word;
            if (word == 0xFFFF && !m_in.Dword(length))
                return Truncated();
        }
        if (!m_in.Bytes(length, text))
            return Fail("a text claims " + std::to_string(length) + " bytes but the file ends before them");
        return true;
    }

    ByteReader m_in;
    std::string& m_error;
    std::uint32_t m_entryNumber = 0;
};

} // namespace

std::string WriteCollection(const EntryList& entries)
{
    std::string out;
    const std::size_t count = entries.size();
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
        const CBonsaiData& entry = *entries[i];
        for (std::size_t field = 0; field < CBonsaiData::kFieldCount; ++field)
            PutText(out, entry[field]);
    }
    return out;
}

bool ReadCollection(std::string_view bytes, EntryList& entries, std::string& error)
{
    return CollectionReader(bytes, error).Read(entries);
}
