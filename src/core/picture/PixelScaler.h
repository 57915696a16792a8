#pragma once

#include "core/picture/PhotoPixels.h"

#include <cstdint>
#include <vector>

namespace talvane::picture {

// Brings a picture handed over row by row, top first, to a target size and layout: each
// pixel of the result is the mean of the area of the picture it covers, colours weighted
// by their opacity. Only the result and the row in progress are held, so a decoder may
// hand over a picture far larger than memory would hold whole.
class PixelScaler {
public:
    PixelScaler(PhotoSize target, PixelLayout layout);

    PhotoSize target() const { return m_result.size; }
    PixelLayout layout() const { return m_result.layout; }

    // The picture about to be handed over: its size and the layout of its rows.
    void start(PhotoSize source, PixelLayout rows);
    // The next row: source width pixels in the layout given to start().
    void addRow(const std::uint8_t* row);
    // The result; rows of it that no row reached stay black and transparent.
    PhotoPixels finish();

private:
    // The source columns one target column covers, in units of 1/target width.
    struct Span {
        int first;
        int last;
        std::int64_t firstWeight;
        std::int64_t lastWeight;
    };

    void reduceRow(const std::uint8_t* row);
    void addToTargetRows();
    void emitRow();

    PhotoPixels m_result;
    PhotoSize m_source;
    PixelLayout m_rows = PixelLayout::Rgba;
    std::vector<Span> m_spans;
    // The row being reduced and the target row being summed: per channel, grey or
    // premultiplied red, green, blue and alpha.
    std::vector<double> m_reduced;
    std::vector<double> m_sums;
    std::int64_t m_rowWeight = 0;
    int m_sourceRow = 0;
    int m_targetRow = 0;
};

} // namespace talvane::picture
