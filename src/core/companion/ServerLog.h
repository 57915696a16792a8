#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace talvane::companion {

// Where a server without a window tells what it does, a line at a time: each change it
// writes and each request it refuses. No line holds a secret (a cookie, a token, a key).
using ServerLog = std::function<void(std::string_view line)>;

// A text made fit for one line of a log: control characters (a line break, a terminal's
// escape) and bytes that are not UTF-8 become '?', and a text longer than `most` bytes
// is cut, ending with "…".
std::string logSafe(std::string_view text, std::size_t most = 200);

// A log that writes each line to `out` after the local date and time
// ("2026-06-14 08:12:03 "), whole, whichever thread writes it.
ServerLog timedLines(std::ostream& out);

} // namespace talvane::companion
