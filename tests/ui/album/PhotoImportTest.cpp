#include "PhotoAlbumFixture.h"

#include "ui/album/AlbumCopyName.h"
#include "ui/album/AlbumReadyBitmap.h"
#include "ui/album/BitmapFileWriter.h"
#include "ui/album/BitmapPainter.h"
#include "ui/album/PictureViewer.h"
#include "core/picture/AnyPicDecoder.h"
#include "core/picture/JpegEnd.h"

#include "support/ui/FindControl.h"

#include <QBuffer>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <bit>
#include <sys/stat.h>

namespace {

void putLe(std::string& out, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        out.push_back(static_cast<char>(value >> (8 * i)));
}

const QRgb kColours[2][3] = {{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)},
                             {qRgb(10, 20, 30), qRgb(200, 100, 50), qRgb(255, 255, 255)}};

// A 3 x 2 bitmap of kColours at 32 bits with bit-field masks, as image editors write
// them: a 40-byte header followed by three masks, or a version 5 header.
std::string maskedBitmap(bool version5)
{
    const std::uint32_t masks[4] = {version5 ? 0x00FF0000u : 0x0000FF00u, version5 ? 0x0000FF00u : 0x00FF0000u,
                                    version5 ? 0x000000FFu : 0xFF000000u, version5 ? 0xFF000000u : 0u};
    const std::uint32_t header = version5 ? 124 : 40;
    const std::uint32_t offset = 14 + header + (version5 ? 0 : 12);
    std::string out = "BM";
    for (std::uint32_t field : {offset + 24, 0u, offset, header, 3u, 2u})
        putLe(out, field, 4);
    putLe(out, 1, 2);
    putLe(out, 32, 2);
    for (std::uint32_t field : {3u, 24u, 2835u, 2835u, 0u, 0u})
        putLe(out, field, 4);
    for (int i = 0; i < (version5 ? 4 : 3); ++i)
        putLe(out, masks[i], 4);
    if (version5) {
        putLe(out, 0x73524742, 4); // sRGB
        out.append(124 - 40 - 20, '\0');
    }
    for (int y = 1; y >= 0; --y)
        for (QRgb c : kColours[y]) {
            const auto at = [&](int channel, std::uint32_t mask) { return std::uint32_t(channel) << std::countr_zero(mask); };
            putLe(out, at(qRed(c), masks[0]) | at(qGreen(c), masks[1]) | at(qBlue(c), masks[2]) | masks[3], 4);
        }
    return out;
}

// A JPEG of 400 x 300, red above and blue below, whose camera data says it must be
// turned a quarter clockwise to stand upright (orientation 6).
std::string turnedJpeg()
{
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(qRgb(200, 0, 0));
    for (int y = 150; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            image.setPixel(x, y, qRgb(0, 0, 200));
    QBuffer jpeg;
    jpeg.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&jpeg, "JPEG", 90));
    std::string exif = std::string("\xFF\xE1\x00\x22" "Exif\0\0" "II*\0\x08\0\0\0" "\x01\0", 20);
    exif += std::string("\x12\x01\x03\0\x01\0\0\0\x06\0\0\0" "\0\0\0\0", 16);
    std::string bytes = jpeg.data().toStdString();
    return bytes.insert(2, exif);
}

bool reddish(QRgb c) { return qRed(c) > 150 && qBlue(c) < 60; }
bool bluish(QRgb c) { return qBlue(c) > 150 && qRed(c) < 60; }

} // namespace

TEST_F(PhotoAlbumTest, BitmapsWithMasksOrANewerHeaderAreCopiedInTheirTrueColours)
{
    writeFileBytes(dir / "Album" / "masks.bmp", maskedBitmap(false));
    writeFileBytes(dir / "Album" / "v5.bmp", maskedBitmap(true));
    startWithPhotos({});
    for (const char* name : {"masks", "v5"}) {
        ui.files.expect(q(dir / "Album" / (std::string(name) + ".bmp")));
        ui.prompter.expect(mb::kIdOk, QStringLiteral("Talvane will add a copy of %1.bmp, 3 × 2 pixels, to the Album "
                                                     "folder as %1 (2).bmp.").arg(QString::fromUtf8(name)));
        answerDescription(QString());
        album().OnPictureAdd();
        const QImage shown = bitmapToImage(album().albumBitmap());
        ASSERT_EQ(shown.size(), QSize(3, 2)) << name;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(shown.pixel(x, y), kColours[y][x]) << name << " " << x << "," << y;
    }
    EXPECT_EQ(album().m_strPhotoFile[0], "masks (2).bmp");
    EXPECT_EQ(album().m_strPhotoFile[1], "v5 (2).bmp");
}

TEST_F(PhotoAlbumTest, ATurnedJpegFromACameraComesInUprightAndReduced)
{
    std::filesystem::remove_all(dir / "Album");
    std::filesystem::create_directory(dir / "camera");
    const std::string original = turnedJpeg();
    writeFileBytes(dir / "camera" / "IMG_2041.jpg", original);
    startWithPhotos({});
    ui.files.expect(q(dir / "camera" / "IMG_2041.jpg"));
    ui.prompter.expect(mb::kIdOk, QStringLiteral("Talvane will add a copy of IMG_2041.jpg, reduced to 188 × 250 "
                                                 "pixels, to the Album folder as IMG_2041.bmp."));
    answerDescription(QStringLiteral("Repotted"));
    album().OnPictureAdd();
    EXPECT_EQ(album().m_strPhotoFile[0], "IMG_2041.bmp");
    EXPECT_EQ(folderNames(dir / "Album"), std::vector<std::string>{"IMG_2041.bmp"}) << "the folder is made";
    const QImage shown = bitmapToImage(album().albumBitmap());
    ASSERT_EQ(shown.size(), QSize(188, 250));
    EXPECT_TRUE(bluish(shown.pixel(30, 125)) && reddish(shown.pixel(158, 125)));
    EXPECT_EQ(readFileBytes(dir / "camera" / "IMG_2041.jpg"), original) << "the source is left alone";
}

TEST_F(PhotoAlbumTest, BadPicturesAndARefusedWriteLeaveTheAlbumAndTheEntryAsTheyWere)
{
    std::filesystem::create_directory(dir / "camera");
    const auto camera = [&](const std::string& name) { return dir / "camera" / name; };
    const std::string jpeg = turnedJpeg();
    writeFileBytes(camera("cut.jpg"), jpeg.substr(0, jpeg.size() * 6 / 10));
    writeFileBytes(camera("cut.bmp"), maskedBitmap(false).substr(0, 80));
    writeFileBytes(camera("empty.png"), "");
    std::string huge = maskedBitmap(false);
    huge.replace(18, 8, std::string("\xA0\x86\x01\0\xA0\x86\x01\0", 8)); // 100000 x 100000
    writeFileBytes(camera("huge.bmp"), huge);
    std::string tall = jpeg;
    tall.replace(tall.find("\xFF\xC0") + 5, 4, "\xEA\x60\xEA\x60"); // 60000 x 60000
    writeFileBytes(camera("tall.jpg"), tall);
    writeFileBytes(camera("notes.jpg"), "not a picture");
    writeFileBytes(camera("%1 & %2.png"), "");
    std::filesystem::create_directory(camera("folder.jpg"));
    picture("good.bmp", 20, 20);
    startWithPhotos({"good.bmp"});
    const auto albumBefore = folderNames(dir / "Album");
    const std::pair<const char*, const char*> cases[] = {
        {"cut.jpg", "the file is incomplete"},
        {"cut.bmp", "the file is incomplete"},
        {"empty.png", "the file is empty"},
        {"huge.bmp", "its header gives no usable picture size"},
        {"tall.jpg", "it claims to be 60000 × 60000 pixels, more than the 64 megapixels Talvane accepts"},
        {"notes.jpg", "it is not a picture in a format Talvane can read"},
        {"folder.jpg", "it is a folder, not a picture file"},
        {"%1 & %2.png", "the file is empty"},
    };
    for (const auto& [name, reason] : cases) {
        ui.files.expect(q(camera(name)));
        ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Error"), mb::kIconStop);
        album().OnPictureAdd();
        const QString text = ui.prompter.calls().back().text;
        EXPECT_TRUE(text.startsWith(QString::fromUtf8(name) + QStringLiteral(" cannot be added to the album: ")) &&
                    text.contains(QString::fromUtf8(reason)))
            << text.toStdString();
    }

    QImage(30, 30, QImage::Format_RGB32).save(q(camera("photo.png")));
    const auto refusedWrite = [&] {
        ui.files.expect(q(camera("photo.png")));
        ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Attention"));
        ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Error"));
        album().OnPictureAdd();
        EXPECT_TRUE(ui.prompter.calls().back().text.startsWith(
            QStringLiteral("The copy of photo.png cannot be written to the Album folder")));
    };
    {
        const FileSizeLimit fullDisk(1000);
        refusedWrite();
    }
    if (::geteuid() != 0) { // the superuser writes into read-only folders
        ::chmod((dir / "Album").c_str(), 0555);
        refusedWrite();
        ::chmod((dir / "Album").c_str(), 0755);
    }
    EXPECT_EQ(folderNames(dir / "Album"), albumBefore);
    EXPECT_EQ(listed(), QStringList{"Photo of good.bmp"});
    EXPECT_EQ(album().m_strPhotoFile[1], "");
    EXPECT_EQ(album().albumBitmap().GetWidth(), 20) << "the selected photo stays on show";
}

TEST(PhotoImportParts, WhatIsWrittenOurDecoderReadsBackPixelForPixel)
{
    QImage picture(7, 5, QImage::Format_ARGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            picture.setPixel(x, y, qRgb(x * 36, y * 60, (x * y * 13) % 256));
    picture.setPixel(6, 4, qRgba(0, 0, 0, 0));
    TempDir dir;
    writeFileBytes(dir / "p.bmp", encodeBitmap24(picture).toStdString());
    EXPECT_TRUE(isAlbumReadyHeader(QByteArray::fromStdString(readFileBytes(dir / "p.bmp")), 54 + 24 * 5));
    CAnyPicDecoder decoder;
    CWinBmp bitmap;
    decoder.DecodeFile((dir / "p.bmp").string(), &bitmap, 32);
    const QImage back = bitmapToImage(bitmap);
    ASSERT_EQ(back.size(), picture.size());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(back.pixel(x, y), x == 6 && y == 4 ? qRgb(255, 255, 255) : picture.pixel(x, y)) << x << "," << y;
}

TEST(PhotoImportParts, OnlyBitmapsOurDecoderReadsAsWrittenJoinTheAlbumAsTheyAre)
{
    QBuffer saved;
    saved.open(QIODevice::WriteOnly);
    QImage(250, 250, QImage::Format_RGB32).save(&saved, "BMP");
    const QByteArray plain = saved.data();
    const auto changed = [&](int offset, QByteArray bytes) { return QByteArray(plain).replace(offset, bytes.size(), bytes); };
    EXPECT_TRUE(isAlbumReadyHeader(plain, plain.size()));
    EXPECT_FALSE(isAlbumReadyHeader(plain, plain.size() - 1)) << "a row is missing";
    EXPECT_FALSE(isAlbumReadyHeader(changed(10, QByteArray("\x42\0", 2)), plain.size())) << "pixels elsewhere";
    EXPECT_FALSE(isAlbumReadyHeader(changed(18, QByteArray("\xFB\0", 2)), plain.size())) << "251 wide";
    EXPECT_FALSE(isAlbumReadyHeader(changed(28, QByteArray("\x10\0", 2)), plain.size())) << "16 bits";
    EXPECT_FALSE(isAlbumReadyHeader(changed(30, QByteArray("\x01", 1)), plain.size())) << "RLE8 on 24 bits";
    EXPECT_TRUE(isAlbumReadyHeader(changed(22, QByteArray("\x06\xFF\xFF\xFF", 4)), plain.size())) << "top row first";
}

TEST(PhotoImportParts, CopyNamesAreSafeAndFree)
{
    EXPECT_EQ(albumCopyName("IMG_2041.jpg", {}), "IMG_2041.bmp");
    EXPECT_EQ(albumCopyName("IMG_2041.jpg", {"img_2041.BMP", "IMG_2041 (2).bmp"}), "IMG_2041 (3).bmp");
    EXPECT_EQ(albumCopyName("..jpg", {}), "Photo.bmp");
    EXPECT_EQ(albumCopyName(" Érable / 紅葉 %1&.tiff", {}), "Érable 1.bmp");
    EXPECT_EQ(albumCopyName(QString(40, QLatin1Char('a')) + ".png", {}), QString(30, QLatin1Char('a')) + ".bmp");
}

TEST(PhotoImportParts, AJpegIsCompleteOnlyWhenItsMarkersReachTheEnd)
{
    using talvane::picture::jpegReachesItsEnd;
    const std::string jpeg = turnedJpeg();
    EXPECT_TRUE(jpegReachesItsEnd(jpeg));
    EXPECT_TRUE(jpegReachesItsEnd(jpeg + "trailing data of a motion photo"));
    EXPECT_FALSE(jpegReachesItsEnd(jpeg.substr(0, jpeg.size() - 2)));
    // A thumbnail's end inside the camera data is not the end of the photo.
    const std::string thumbnail("\xFF\xD8\xFF\xE1\x00\x06" "ab\xFF\xD9", 10);
    EXPECT_FALSE(jpegReachesItsEnd(thumbnail + jpeg.substr(2 + 34, 100)));
    EXPECT_TRUE(jpegReachesItsEnd(thumbnail + jpeg.substr(2 + 34)));
}

TEST_F(PhotoAlbumTest, FailedPicturesLeaveTheFrameEmptyAndNamesShowLiterally)
{
    picture("good.bmp", 40, 30);
    ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Erreur"));
    startWithPhotos({"%1 & %2.bmp", "good.bmp", "%2 & %1.bmp"});
    EXPECT_TRUE(ui.prompter.calls().back().text.endsWith(QStringLiteral("%1 & %2.bmp est invalide ou introuvable.\n[Code:4]")));
    view().sheet()->setCurrentWidget(&album());
    const QPoint centre = album().pictureOrigin();
    album().ShowPicture(1);
    EXPECT_EQ(album().grab().toImage().pixelColor(centre), QColor(40, 120, 40));
    album().ShowPicture(0);
    EXPECT_TRUE(album().albumBitmap().isEmpty());
    EXPECT_NE(album().grab().toImage().pixelColor(centre), QColor(40, 120, 40));

    ui.prompter.expect(mb::kIdCancel, QStringLiteral("< Photo of %1 & %2.bmp > will be delete from the photo album !!!"));
    album().OnPictureDelete();
    ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Error"));
    album().pictureList()->setCurrentRow(2);
    EXPECT_TRUE(ui.prompter.calls().back().text.startsWith(QStringLiteral("File invalid or file not found: Code:4, ")));
    EXPECT_TRUE(ui.prompter.calls().back().text.endsWith(QStringLiteral("%2 & %1.bmp est invalide ou introuvable.\n")));
}

TEST_F(PhotoAlbumTest, TheLargerViewShowsThePictureTwiceItsSize)
{
    picture("small.bmp", 40, 30);
    startWithPhotos({"small.bmp"});
    view().sheet()->setCurrentWidget(&album());
    const auto expectViewer = [&] {
        ui.dialogs.expect([](QDialog& dialog) {
            auto& viewer = static_cast<PictureViewer&>(dialog);
            EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Photo of small.bmp"));
            EXPECT_EQ(viewer.pictureLabel()->pixmap().size(), QSize(80, 60));
            EXPECT_EQ(viewer.pictureLabel()->pixmap().toImage().pixelColor(40, 30), QColor(40, 120, 40));
            return int(QDialog::Rejected);
        });
    };
    expectViewer();
    const QPoint inside = album().pictureOrigin() + QPoint(5, 5);
    QWidget* under = album().childAt(inside);
    QTest::mouseDClick(under ? under : &album(), Qt::LeftButton, {}, under ? under->mapFrom(&album(), inside) : inside);
    EXPECT_EQ(ui.dialogs.callCount(), 1);
    expectViewer();
    findControl<QPushButton>(&album(), 1054)->click();
    EXPECT_EQ(ui.dialogs.callCount(), 2);
    EXPECT_EQ(PictureViewer::largerSize(QSize(250, 188), QSize(300, 300)), QSize(300, 225));
}
