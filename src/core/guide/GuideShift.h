#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace talvane::guide {

// A guide file stores every byte from 0x22 to 0x7F raised by 2 and every other byte
// as it is. Plain "~" (0x7E) and DEL (0x7F) would land on 0x80 and 0x81, which read
// back unchanged, so they cannot be stored.

char unshiftGuideByte(char stored);

// The plain text of stored file bytes.
std::string decodeGuideText(std::string_view stored);

// The file bytes of a plain text, or nothing when it holds "~" or DEL; then
// unstorableLine, when given, receives the 1-based number of the first such line.
std::optional<std::string> encodeGuideText(std::string_view plain, std::size_t* unstorableLine = nullptr);

} // namespace talvane::guide
