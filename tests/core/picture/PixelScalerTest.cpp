// The scaler that brings every decoded photo to the size asked for: each result pixel is
// the mean of the area it covers, colours weighted by their opacity.
#include "core/picture/PixelScaler.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

using namespace talvane::picture;

namespace {

PhotoPixels scaled(PhotoSize source, PixelLayout rows, const std::vector<std::uint8_t>& bytes, PhotoSize target,
                   PixelLayout layout)
{
    PixelScaler scaler(target, layout);
    scaler.start(source, rows);
    const auto rowBytes = static_cast<std::size_t>(source.width * channelsOf(rows));
    for (int y = 0; y < source.height; ++y)
        scaler.addRow(&bytes[static_cast<std::size_t>(y) * rowBytes]);
    return scaler.finish();
}

double sum(const std::vector<std::uint8_t>& bytes)
{
    return std::accumulate(bytes.begin(), bytes.end(), 0.0);
}

} // namespace

TEST(PixelScaler, EachPixelIsTheMeanOfTheAreaItCoversWhateverTheFactor)
{
    const std::vector<std::uint8_t> row{0, 100, 200, 255};
    EXPECT_EQ(scaled({4, 1}, PixelLayout::Grey, row, {2, 1}, PixelLayout::Grey).bytes, (std::vector<std::uint8_t>{50, 228}));
    // A third of the way: 0 and a third of 100, then two thirds of 100 and 200, ...
    EXPECT_EQ(scaled({4, 1}, PixelLayout::Grey, row, {3, 1}, PixelLayout::Grey).bytes, (std::vector<std::uint8_t>{25, 150, 241}));
    EXPECT_EQ(scaled({4, 1}, PixelLayout::Grey, row, {4, 1}, PixelLayout::Grey).bytes, row) << "the same size is copied";

    // Any reduction keeps the picture's mean; a column and a row apart reduce alike.
    std::mt19937 random(11);
    std::vector<std::uint8_t> noise(97 * 61);
    for (auto& byte : noise)
        byte = static_cast<std::uint8_t>(random());
    for (const PhotoSize target : {PhotoSize{1, 1}, PhotoSize{13, 7}, PhotoSize{96, 60}, PhotoSize{97, 1}}) {
        const PhotoPixels reduced = scaled({97, 61}, PixelLayout::Grey, noise, target, PixelLayout::Grey);
        ASSERT_EQ(reduced.bytes.size(), target.pixels());
        EXPECT_NEAR(sum(reduced.bytes) / target.pixels(), sum(noise) / noise.size(), 0.6) << target.width << "x" << target.height;
    }
    std::vector<std::uint8_t> column(61);
    std::copy_n(noise.begin(), 61, column.begin());
    EXPECT_EQ(scaled({61, 1}, PixelLayout::Grey, column, {5, 1}, PixelLayout::Grey).bytes,
              scaled({1, 61}, PixelLayout::Grey, column, {1, 5}, PixelLayout::Grey).bytes);
}

TEST(PixelScaler, ColoursAreWeightedByTheirOpacityAndLayoutsConverted)
{
    // An opaque blue pixel beside a transparent red one: half as opaque, and blue only.
    const std::vector<std::uint8_t> rgba{0, 0, 255, 255, 255, 0, 0, 0};
    EXPECT_EQ(scaled({2, 1}, PixelLayout::Rgba, rgba, {1, 1}, PixelLayout::Rgba).bytes, (std::vector<std::uint8_t>{0, 0, 255, 128}));
    EXPECT_EQ(scaled({2, 1}, PixelLayout::Rgba, rgba, {2, 1}, PixelLayout::Grey).bytes, (std::vector<std::uint8_t>{29, 76}))
        << "grey is the luma, whatever the opacity";
    EXPECT_EQ(scaled({2, 1}, PixelLayout::Grey, {10, 30}, {1, 1}, PixelLayout::Rgba).bytes, (std::vector<std::uint8_t>{20, 20, 20, 255}));

    // Rows a decoder never hands over stay black and transparent.
    PixelScaler scaler({2, 2}, PixelLayout::Rgba);
    scaler.start({2, 2}, PixelLayout::Rgba);
    const std::vector<std::uint8_t> white(8, 255);
    scaler.addRow(white.data());
    const PhotoPixels half = scaler.finish();
    EXPECT_EQ(std::vector<std::uint8_t>(half.bytes.begin(), half.bytes.begin() + 8), white);
    EXPECT_EQ(std::vector<std::uint8_t>(half.bytes.begin() + 8, half.bytes.end()), std::vector<std::uint8_t>(8, 0));
}
