#include "core/collection/TreeIdentity.h"

#include <openssl/rand.h>

#include <array>
#include <stdexcept>
#include <unordered_set>

namespace talvane::collection {

namespace {

constexpr std::size_t kIdLength = 36;
constexpr std::array<std::size_t, 4> kDashes = {8, 13, 18, 23};
constexpr std::size_t kVersionDigit = 14;
constexpr std::size_t kVariantDigit = 19;

bool isDash(std::size_t index)
{
    for (std::size_t dash : kDashes) {
        if (index == dash)
            return true;
    }
    return false;
}

bool isLowerHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

std::optional<std::size_t> firstHolder(const EntryList& entries, std::size_t before, std::string_view id)
{
    for (std::size_t position = 0; position < before && position < entries.size(); ++position) {
        if ((*entries[position])[kTreeIdField] == id)
            return position;
    }
    return std::nullopt;
}

} // namespace

std::string newTreeId()
{
    std::array<unsigned char, 16> bits{};
    if (RAND_bytes(bits.data(), static_cast<int>(bits.size())) != 1)
        throw std::runtime_error("no random bytes for a tree identifier");
    bits[6] = static_cast<unsigned char>((bits[6] & 0x0F) | 0x40); // version 4
    bits[8] = static_cast<unsigned char>((bits[8] & 0x3F) | 0x80); // RFC 4122 variant
    static constexpr char kHex[] = "0123456789abcdef";
    std::string id;
    id.reserve(kIdLength);
    for (unsigned char byte : bits) {
        if (isDash(id.size()))
            id += '-';
        id += kHex[byte >> 4];
        id += kHex[byte & 0x0F];
    }
    return id;
}

bool isWellFormedTreeId(std::string_view text)
{
    if (text.size() != kIdLength)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isDash(i) ? text[i] != '-' : !isLowerHex(text[i]))
            return false;
    }
    const char variant = text[kVariantDigit];
    return text[kVersionDigit] == '4' && (variant == '8' || variant == '9' || variant == 'a' || variant == 'b');
}

std::optional<std::size_t> findTree(const EntryList& entries, std::string_view id)
{
    if (!isWellFormedTreeId(id))
        return std::nullopt;
    return firstHolder(entries, entries.size(), id);
}

std::string_view treeIdAt(const EntryList& entries, std::size_t position)
{
    const std::string_view text = (*entries.at(position))[kTreeIdField];
    if (!isWellFormedTreeId(text) || firstHolder(entries, position, text))
        return {};
    return text;
}

std::vector<std::string_view> treeIds(const EntryList& entries)
{
    std::vector<std::string_view> ids;
    ids.reserve(entries.size());
    std::unordered_set<std::string_view> seen;
    for (const auto& entry : entries) {
        const std::string_view text = (*entry)[kTreeIdField];
        const bool has = isWellFormedTreeId(text) && seen.insert(text).second;
        ids.push_back(has ? text : std::string_view());
    }
    return ids;
}

bool mayGiveTreeId(const EntryList& entries, std::size_t before, std::string_view text)
{
    return text.empty() || (isWellFormedTreeId(text) && firstHolder(entries, before, text));
}

} // namespace talvane::collection
