// Feeds arbitrary bytes to the front picture decoder, at every depth a caller
// may ask for, with one decoder and one bitmap reused as the album does.
#include "core/picture/AnyPicDecoder.h"
#include "core/picture/DataSource.h"
#include "core/picture/TextException.h"
#include "core/picture/WinBmp.h"

#include <climits>
#include <cstddef>
#include <cstdint>

namespace {

// Reads the first and the last pixel byte of every line, so that a line
// table pointing outside the block shows up under AddressSanitizer.
unsigned sumOfLineEnds(const CWinBmp& bitmap)
{
    unsigned sum = 0;
    const auto lineBytes = static_cast<std::size_t>(bitmap.GetWidth()) * bitmap.getBitsPerPixel() / 8;
    for (int line = 0; line < bitmap.GetHeight(); ++line)
        sum += bitmap.getLines()[line][0] + bitmap.getLines()[line][lineBytes - 1];
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > INT_MAX)
        return 0;
    static CAnyPicDecoder decoder;
    static CWinBmp bitmap;
    for (const int bitsPerPixel : {32, 8, 0}) {
        CDataSource source;
        source.Open("fuzz", data, static_cast<std::int32_t>(size));
        try {
            decoder.DecodeSource(&source, &bitmap, bitsPerPixel);
        } catch (const CTextException&) {
        }
        volatile unsigned sink = sumOfLineEnds(bitmap);
        (void)sink;
    }
    return 0;
}
