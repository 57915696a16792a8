#pragma once

#include <string>

namespace talvane::picture {

// Why a photo cannot be read, from the first reason found: the file, then its header and
// the limits, then its picture data.
enum class PhotoFault {
    Missing,
    Folder,
    // A pipe or a device, which could keep the reader waiting for bytes that never come.
    NotRegularFile,
    Unopenable,
    Empty,
    TooManyBytes,
    UnknownFormat,
    // The header cannot be read, or gives a side of no pixels or beyond the limit.
    NoUsableSize,
    TooManyPixels,
    TooManyHeifItems,
    // The format is known, the coding of this photo is not (an AVIF where no AV1
    // decoder is installed).
    NoDecoder,
    Damaged,
};

struct PhotoProblem {
    PhotoFault fault;
    // In the words of the system or of the decoding library, in English: why the file
    // cannot be opened, or what is wrong with the picture data; often empty.
    std::string detail{};
};

} // namespace talvane::picture
