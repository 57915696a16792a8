#include "core/picture/PixelScaler.h"

#include <algorithm>
#include <cstring>

namespace talvane::picture {
namespace {

std::uint8_t toByte(double value)
{
    return static_cast<std::uint8_t>(std::clamp(value + 0.5, 0.0, 255.0));
}

// The weights of the luma of a colour, as JPEG gives its grey.
double lumaOf(const std::uint8_t* rgb)
{
    return 0.299 * rgb[0] + 0.587 * rgb[1] + 0.114 * rgb[2];
}

} // namespace

PixelScaler::PixelScaler(PhotoSize target, PixelLayout layout)
    : m_result{target, layout, std::vector<std::uint8_t>(target.pixels() * static_cast<std::size_t>(channelsOf(layout)))}
{
}

void PixelScaler::start(PhotoSize source, PixelLayout rows)
{
    m_source = source;
    m_rows = rows;
    m_sourceRow = m_targetRow = 0;
    m_rowWeight = 0;
    const std::int64_t sourceWidth = source.width, targetWidth = target().width;
    m_spans.clear();
    for (std::int64_t x = 0; x < targetWidth; ++x) {
        const std::int64_t left = x * sourceWidth, right = (x + 1) * sourceWidth;
        const auto first = static_cast<int>(left / targetWidth), last = static_cast<int>((right - 1) / targetWidth);
        m_spans.push_back({first, last, std::min((first + 1) * targetWidth, right) - left,
                           right - std::max(last * targetWidth, left)});
    }
    const auto channels = static_cast<std::size_t>(channelsOf(layout()));
    m_reduced.assign(static_cast<std::size_t>(targetWidth) * channels, 0.0);
    m_sums.assign(m_reduced.size(), 0.0);
}

void PixelScaler::addRow(const std::uint8_t* row)
{
    if (m_sourceRow >= m_source.height)
        return;
    if (m_source == target() && m_rows == layout()) {
        const std::size_t rowBytes = static_cast<std::size_t>(target().width) * static_cast<std::size_t>(channelsOf(layout()));
        std::memcpy(&m_result.bytes[static_cast<std::size_t>(m_sourceRow++) * rowBytes], row, rowBytes);
        return;
    }
    reduceRow(row);
    addToTargetRows();
    ++m_sourceRow;
}

// Sums each target column's share of the row, its pixels in the target's layout.
void PixelScaler::reduceRow(const std::uint8_t* row)
{
    const int inChannels = channelsOf(m_rows);
    const bool toGrey = layout() == PixelLayout::Grey;
    double* out = m_reduced.data();
    for (const Span& span : m_spans) {
        double sums[4] = {};
        for (int x = span.first; x <= span.last; ++x) {
            const std::int64_t weight = x == span.first ? span.firstWeight : x == span.last ? span.lastWeight : target().width;
            const std::uint8_t* pixel = row + static_cast<std::ptrdiff_t>(x) * inChannels;
            const double w = static_cast<double>(weight);
            if (toGrey) {
                sums[0] += w * (inChannels == 1 ? pixel[0] : lumaOf(pixel));
                continue;
            }
            const double alpha = inChannels == 1 ? 255.0 : pixel[3];
            for (int c = 0; c < 3; ++c)
                sums[c] += w * alpha * pixel[inChannels == 1 ? 0 : c];
            sums[3] += w * alpha;
        }
        const int outChannels = toGrey ? 1 : 4;
        std::copy(sums, sums + outChannels, out);
        out += outChannels;
    }
}

// Adds the reduced row to the target rows it overlaps, in units of 1/target height, and
// hands over those it completes.
void PixelScaler::addToTargetRows()
{
    const std::int64_t targetHeight = target().height, sourceHeight = m_source.height;
    const std::int64_t top = m_sourceRow * targetHeight, bottom = top + targetHeight;
    while (m_targetRow < target().height) {
        const std::int64_t rowTop = m_targetRow * sourceHeight, rowBottom = rowTop + sourceHeight;
        const std::int64_t overlap = std::min(bottom, rowBottom) - std::max(top, rowTop);
        if (overlap > 0) {
            for (std::size_t i = 0; i < m_sums.size(); ++i)
                m_sums[i] += m_reduced[i] * static_cast<double>(overlap);
            m_rowWeight += overlap;
        }
        if (rowBottom > bottom)
            return;
        emitRow();
    }
}

void PixelScaler::emitRow()
{
    const double weight = static_cast<double>(m_rowWeight) * m_source.width;
    const bool grey = layout() == PixelLayout::Grey;
    const std::size_t rowBytes = m_sums.size();
    std::uint8_t* out = &m_result.bytes[static_cast<std::size_t>(m_targetRow) * rowBytes];
    for (std::size_t i = 0; i < rowBytes; i += grey ? 1 : 4) {
        if (grey) {
            out[i] = toByte(m_sums[i] / weight);
            continue;
        }
        const double alpha = m_sums[i + 3];
        for (std::size_t c = 0; c < 3; ++c)
            out[i + c] = alpha > 0 ? toByte(m_sums[i + c] / alpha) : 0;
        out[i + 3] = toByte(alpha / weight);
    }
    std::fill(m_sums.begin(), m_sums.end(), 0.0);
    m_rowWeight = 0;
    ++m_targetRow;
}

PhotoPixels PixelScaler::finish()
{
    return std::move(m_result);
}

} // namespace talvane::picture
