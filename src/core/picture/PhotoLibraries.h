#pragma once

namespace talvane::picture {

// Call once before reading photos from several threads: exiv2's XMP parser must be set
// up before the first read, libheif initialised. Every reading calls it too, only the
// first call counts. It also mutes the libraries' warnings, which would otherwise go to
// standard error.
void preparePhotoReading();

} // namespace talvane::picture
