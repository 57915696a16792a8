#pragma once

#include "core/picture/PhotoProblem.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <variant>

namespace talvane::picture {

// The bytes of a photo: a whole file mapped read-only, or bytes in memory that their
// owner keeps alive while they are read.
class PhotoBytes {
public:
    // Anything but a regular file of 1 to maxBytes bytes that can be opened is refused
    // before it is read.
    static std::variant<PhotoBytes, PhotoProblem> open(const std::filesystem::path& file, std::uint64_t maxBytes);
    static std::variant<PhotoBytes, PhotoProblem> borrow(std::span<const std::uint8_t> bytes, std::uint64_t maxBytes);

    PhotoBytes(PhotoBytes&& other) noexcept;
    PhotoBytes& operator=(PhotoBytes&& other) noexcept;
    PhotoBytes(const PhotoBytes&) = delete;
    PhotoBytes& operator=(const PhotoBytes&) = delete;
    ~PhotoBytes();

    std::span<const std::uint8_t> bytes() const { return m_bytes; }

private:
    PhotoBytes(std::span<const std::uint8_t> bytes, bool mapped) : m_bytes(bytes), m_mapped(mapped) {}
    void unmap();

    std::span<const std::uint8_t> m_bytes;
    bool m_mapped = false;
};

} // namespace talvane::picture
