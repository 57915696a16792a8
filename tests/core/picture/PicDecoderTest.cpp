#include "support/core/BmpTestFiles.h"

#include "support/core/TempDir.h"
#include "core/picture/AnyPicDecoder.h"
#include "core/picture/FileSource.h"
#include "core/picture/TextException.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace talvane::picture;

namespace {

std::string smallBitmap()
{
    BmpFile file;
    file.width = 2;
    file.height = 2;
    file.bitCount = 8;
    file.palette = greyPalette(256);
    file.pixels = paddedRow(byteString({1, 2})) + paddedRow(byteString({3, 4}));
    return file.bytes();
}

std::string openErrorText(const std::string& path)
{
    return "Erreur du decodeur d'image:\nLe fichier " + path + " est invalide ou introuvable.\n";
}

// Decodes the file and returns the exception's code, checking its text.
int decodeFileError(const std::filesystem::path& path, const std::string& expectedText)
{
    CAnyPicDecoder decoder;
    CWinBmp bitmap;
    try {
        decoder.DecodeFile(path.string(), &bitmap, 32);
    } catch (const CTextException& e) {
        EXPECT_EQ(e.GetText(), expectedText);
        return e.GetCode();
    }
    return 0;
}

std::size_t openDescriptors()
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                                  std::filesystem::directory_iterator()));
}

bool isMapped(const std::filesystem::path& path)
{
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.find(path.string()) != std::string::npos)
            return true;
    return false;
}

// Restores the trace settings whatever a test does to them.
struct TraceSettings {
    ~TraceSettings()
    {
        CPicDecoder::s_nTraceLevel = 0;
        CPicDecoder::s_pszLogFileName.reset();
    }
};

} // namespace

TEST(FileSource, OpenFailuresAreSortedIntoCodesThreeFourAndFive)
{
    TempDir dir;
    writeFileBytes(dir / "empty.bmp", "");
    writeFileBytes(dir / "plain.bmp", smallBitmap());
    std::filesystem::create_directory(dir / "folder.bmp");
    ASSERT_EQ(::mkfifo((dir / "pipe.bmp").c_str(), 0600), 0);

    const struct {
        std::filesystem::path path;
        int code;
    } cases[] = {
        {dir / "missing.bmp", 4},
        {dir / "nodir" / "missing.bmp", 3},
        {dir / "plain.bmp" / "x.bmp", 3},
        {dir / "empty.bmp", 5},
        {dir / "folder.bmp", 5},
        {dir / "pipe.bmp", 5},
        {"", 4},
    };
    const std::size_t descriptors = openDescriptors();
    for (const auto& c : cases) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(decodeFileError(c.path, openErrorText(c.path.string())), c.code) << c.path;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << c.path;

        CFileSource source;
        EXPECT_EQ(source.OpenFile(c.path.string()), c.code) << c.path;
        EXPECT_EQ(source.getCurrent(), nullptr);
        EXPECT_EQ(openDescriptors(), descriptors) << c.path;
    }
}

TEST(FileSource, FilesOfTwoGibibytesOrMoreAreRefused)
{
    TempDir dir;
    for (const std::uintmax_t size : {std::uintmax_t{0x80000000}, std::uintmax_t{0x100000010}}) {
        const auto path = dir / "huge.bmp";
        writeFileBytes(path, smallBitmap());
        std::filesystem::resize_file(path, size);
        EXPECT_EQ(decodeFileError(path, openErrorText(path.string())), 5) << size;
    }
}

TEST(FileSource, UnreadableFileGivesCodeFive)
{
    TempDir dir;
    const auto path = dir / "locked.bmp";
    writeFileBytes(path, smallBitmap());
    std::filesystem::permissions(path, std::filesystem::perms::none);
    if (::geteuid() != 0) {
        EXPECT_EQ(decodeFileError(path, openErrorText(path.string())), 5);
        return;
    }
    // Permissions do not bind the super-user: open the file as nobody.
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all, std::filesystem::perm_options::add);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(100);
        CFileSource source;
        ::_exit(source.OpenFile(path.string()));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 5);
}

TEST(FileSource, MapsTheWholeFileAndReleasesItOnClose)
{
    TempDir dir;
    const auto path = dir / "plain.bmp";
    const std::string bytes = smallBitmap();
    writeFileBytes(path, bytes);
    const std::size_t descriptors = openDescriptors();
    {
        CFileSource source;
        ASSERT_EQ(source.OpenFile(path.string()), 0);
        EXPECT_EQ(source.getName(), path.string());
        EXPECT_EQ(source.GetSize(), static_cast<std::int32_t>(bytes.size()));
        EXPECT_EQ(source.getEnd() - source.getCurrent(), source.GetSize()) << "reading starts at the first byte";
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(source.getCurrent()), bytes.size()), bytes);
        EXPECT_TRUE(isMapped(path));
        source.Close();
        EXPECT_EQ(source.getCurrent(), nullptr);
        EXPECT_EQ(source.getName(), "");
        EXPECT_FALSE(isMapped(path));
        EXPECT_EQ(openDescriptors(), descriptors);
        ASSERT_EQ(source.OpenFile(path.string()), 0);
    }
    EXPECT_FALSE(isMapped(path));
    EXPECT_EQ(openDescriptors(), descriptors);
}

TEST(PicDecoder, FileIsClosedWhenTheCallersHandlerRuns)
{
    TempDir dir;
    const auto path = dir / "broken.bmp";
    std::string bytes = smallBitmap();
    bytes[14] = 12;
    writeFileBytes(path, bytes);
    const std::size_t descriptors = openDescriptors();

    CAnyPicDecoder decoder;
    CWinBmp bitmap;
    try {
        decoder.DecodeFile(path.string(), &bitmap, 32);
        ADD_FAILURE() << "a 12-byte info header was accepted";
    } catch (const CTextException& e) {
        EXPECT_EQ(e.GetCode(), 2);
        EXPECT_FALSE(isMapped(path));
        EXPECT_EQ(openDescriptors(), descriptors);
    }

    // The same decoder goes on with the next file.
    writeFileBytes(path, smallBitmap());
    decoder.DecodeFile(path.string(), &bitmap, 32);
    EXPECT_EQ(bitmap.GetSize(), (PixelSize{2, 2}));
    EXPECT_EQ(pixelAt(bitmap, 1, 0), (Bgra{4, 4, 4, 255}));
}

TEST(PicDecoder, DepthChoiceFollowsTheRequestAndTheFile)
{
    BmpFile deep;
    deep.width = 1;
    deep.pixels = byteString({10, 20, 30, 0});
    const struct {
        std::string bytes;
        int requested;
        int expected;
    } cases[] = {
        {smallBitmap(), 0, 8},
        {smallBitmap(), 8, 8},
        {smallBitmap(), 32, 32},
        {smallBitmap(), 16, 8},
        {deep.bytes(), 0, 32},
        {deep.bytes(), 8, 32},
        {deep.bytes(), 24, 32},
    };
    for (const auto& c : cases) {
        CWinBmp bitmap;
        decodeBytes(c.bytes, bitmap, c.requested);
        EXPECT_EQ(bitmap.getBitsPerPixel(), c.expected) << "requested " << c.requested;
    }
}

TEST(PicDecoder, TraceIsSilentUntilALogFileIsNamedAndFollowsItsLevel)
{
    TraceSettings restore;
    TempDir dir;
    const auto path = dir / "plain.bmp";
    writeFileBytes(path, smallBitmap());
    EXPECT_EQ(CPicDecoder::s_nTraceLevel, 0);
    EXPECT_FALSE(CPicDecoder::s_pszLogFileName.has_value());

    CAnyPicDecoder decoder;
    CWinBmp bitmap;
    const auto log = dir / "decoder.log";
    CPicDecoder::s_pszLogFileName = log.string();
    CPicDecoder::s_nTraceLevel = 3;
    decoder.DecodeFile(path.string(), &bitmap, 32);
    EXPECT_EQ(readFileBytes(log), "--- Decoding file " + path.string() + ". ---\n"
                                  "Windows bitmap recognized.\n"
                                  "Bitmap file signature found\n"
                                  "Bitmap header is ok.\n"
                                  "Reading palette.\n"
                                  "Decoding uncompressed 8 bit per pixel bitmap.\n"
                                  "Decoding finished.\n");

    // Level 0 logs the error texts only; the text is written as it is, not as a format.
    std::filesystem::remove(log);
    CPicDecoder::s_nTraceLevel = 0;
    const auto missing = dir / "100%s.bmp";
    EXPECT_EQ(decodeFileError(missing, openErrorText(missing.string())), 4);
    EXPECT_EQ(readFileBytes(log), openErrorText(missing.string()));

    // Destroying any decoder forgets the log file name; nothing is written afterwards.
    std::filesystem::remove(log);
    { CAnyPicDecoder other; }
    EXPECT_FALSE(CPicDecoder::s_pszLogFileName.has_value());
    EXPECT_EQ(decodeFileError(missing, openErrorText(missing.string())), 4);
    decoder.DecodeFile(path.string(), &bitmap, 32);
    EXPECT_FALSE(std::filesystem::exists(log));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1);
}
