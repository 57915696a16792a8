// The timeline's photos come from the core's photo reader: every photo Qt's readers
// showed still shows, and shows the same; what cannot be shown says why.
#include "ui/framework/FilePaths.h"
#include "ui/timeline/PhotoReading.h"

#include "support/core/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A picture no two neighbours of which are alike, with a transparent corner when asked.
QImage pattern(bool transparentCorner)
{
    QImage picture(48, 36, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgba(x * 5, y * 7, (x * y) % 256, transparentCorner && x < 8 && y < 8 ? 0 : 255));
    return picture;
}

int largestDifference(const QImage& shown, const QImage& expected)
{
    int largest = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb a = shown.pixel(x, y), b = expected.pixel(x, y);
            if (qAlpha(b) == 0)
                continue;
            for (const int shift : {0, 8, 16, 24})
                largest = std::max(largest, std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)));
        }
    return largest;
}

} // namespace

TEST(PhotoReading, PhotosQtWritesShowAsQtReadsThem)
{
    TempDir dir;
    struct Case {
        const char* format;
        bool transparent;
        int tolerance;
    };
    for (const auto& [format, transparent, tolerance] : {Case{"png", true, 0}, Case{"bmp", false, 0}, Case{"tif", true, 0},
                                                         Case{"webp", true, 0}, Case{"jpg", false, 2}}) {
        const QString path = QString::fromStdString((dir / "photo.").string()) + QString::fromLatin1(format);
        ASSERT_TRUE(pattern(transparent).save(path, format, 100)) << format;
        const QImage expected = QImage(path).convertToFormat(QImage::Format_ARGB32);
        const ShownPhoto shown = readShownPhoto(path);
        ASSERT_TRUE(shown.problem.isEmpty()) << format << " " << shown.problem.toStdString();
        ASSERT_EQ(shown.image.size(), expected.size()) << format;
        EXPECT_LE(largestDifference(shown.image.convertToFormat(QImage::Format_ARGB32), expected), tolerance) << format;
        EXPECT_EQ(shown.image.hasAlphaChannel(), transparent) << format << ": opaque photos say so";
        EXPECT_EQ(readShownPhoto(path, 12).image.size(), QSize(12, 9)) << format;
    }
}

TEST(PhotoReading, PhotosThatCannotBeShownSayWhy)
{
    TempDir dir;
    const auto problemOf = [&](const std::string& name, const std::string& bytes) {
        writeFileBytes(dir / name, bytes);
        return readShownPhoto(fromFsPath(dir / name)).problem;
    };
    // 20000 x 20000 pixels claimed by a bitmap's header, more than is ever decoded.
    std::string huge = std::string("BM") + std::string(8, '\0') + std::string("\x36\0\0\0\x28\0\0\0", 8) +
                       std::string("\x20\x4E\0\0\x20\x4E\0\0\x01\0\x18\0", 12) + std::string(24, '\0');
    EXPECT_EQ(problemOf("huge.bmp", huge), QStringLiteral("The photo is too large to be shown."));
    const QString png = QString::fromStdString((dir / "whole.png").string());
    pattern(false).save(png);
    const std::string whole = readFileBytes(dir / "whole.png");
    EXPECT_EQ(problemOf("cut.png", whole.substr(0, whole.find("IDAT") + 10)), QStringLiteral("The photo is damaged."));
    EXPECT_EQ(problemOf("notes.jpg", "not a picture"), QStringLiteral("No reader on this computer can open this photo."));
    EXPECT_EQ(readShownPhoto(fromFsPath(dir / "gone.jpg")).problem, QStringLiteral("The photo is missing."));
}
