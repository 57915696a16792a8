#pragma once

#include <string_view>

namespace talvane::picture {

// Whether a JPEG stream runs to its end-of-image marker. A decoder fills a cut-off photo
// with grey and calls it a success; walking the markers tells a complete file from a
// truncated one. Segments are skipped by their lengths, so a thumbnail inside the
// camera's data does not count as the end, and bytes after the end are allowed.
bool jpegReachesItsEnd(std::string_view data);

} // namespace talvane::picture
