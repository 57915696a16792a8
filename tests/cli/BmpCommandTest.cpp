#include "support/core/BmpTestFiles.h"

#include "support/core/CompanionRun.h"

#include <gtest/gtest.h>

TEST(BmpCommand, PrintsSizeDepthAndTheHashOfTheUnpaddedLines)
{
    TempDir dir;
    BmpFile topDown;
    topDown.width = 1;
    topDown.height = -2;
    topDown.pixels = paddedRow(byteString({1, 2, 3})) + paddedRow(byteString({4, 5, 6}));
    writeFileBytes(dir / "top.bmp", topDown.bytes());

    // SHA-256 of the bytes 01 02 03 ff 04 05 06 ff.
    CompanionRun run = runCompanion(dir, "bmp '" + (dir / "top.bmp").string() + "' --out '" + (dir / "top.pam").string() + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "1x2 bpp=32 sha256=043369a1d536171531a9b02417019e6eddf51e5305eba1e7269aaa9593030754\n");
    EXPECT_EQ(readFileBytes(dir / "top.pam"),
              "P7\nWIDTH 1\nHEIGHT 2\nDEPTH 3\nMAXVAL 255\nTUPLTYPE RGB\nENDHDR\n" + byteString({3, 2, 1, 6, 5, 4}));

    // Lines of 8 bytes, of which the hash takes the 5 pixel bytes:
    // SHA-256 of 00 3c 78 b4 f0 three times.
    BmpFile indexed;
    indexed.width = 5;
    indexed.height = 3;
    indexed.bitCount = 8;
    indexed.palette = greyPalette(256);
    indexed.pixels = paddedRow(byteString({0, 60, 120, 180, 240}));
    indexed.pixels += indexed.pixels + indexed.pixels;
    writeFileBytes(dir / "grey.bmp", indexed.bytes());
    for (const char* bpp : {"8", "0"}) {
        run = runCompanion(dir, "bmp '" + (dir / "grey.bmp").string() + "' --bpp " + bpp);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "5x3 bpp=8 sha256=9f36ac6f0a0928fa9b7189c12cea7fb719e9eaaa53231352fc62818f07532e02\n");
    }
}

TEST(BmpCommand, ReportsTheDecoderErrorCodeAndText)
{
    TempDir dir;
    const auto missing = dir / "missing.bmp";
    CompanionRun run = runCompanion(dir, "bmp '" + missing.string() + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "error code=4\n");
    EXPECT_EQ(run.err, "Erreur du decodeur d'image:\nLe fichier " + missing.string() + " est invalide ou introuvable.\n");

    BmpFile huge;
    huge.width = 1449;
    huge.height = 1449;
    writeFileBytes(dir / "huge.bmp", huge.bytes());
    run = runCompanion(dir, "bmp '" + (dir / "huge.bmp").string() + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "error code=9\n");
    EXPECT_EQ(run.err, "Bitmap size too large.\n");
}
