#include "Commands.h"

#include "core/picture/AnyPicDecoder.h"
#include "core/picture/TextException.h"
#include "core/picture/WinBmp.h"

#include <openssl/evp.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>

namespace {

// 0 lets the decoder keep the picture's own depth.
const talvane::text::NumberOption kDepthOption{
    .name = "--bpp",
    .meaning = "a depth in bits",
    .minimum = 0,
    .maximum = 32,
    .choices = {0, 8, 32},
};

struct BmpOptions {
    std::string file;
    int bitsPerPixel = 32;
    std::string pamFile;
};

std::size_t lineBytes(const CWinBmp& bitmap)
{
    return static_cast<std::size_t>(bitmap.GetWidth()) * bitmap.getBitsPerPixel() / 8;
}

// Lowercase SHA-256 of the lines from the top, each without its padding.
std::string hashLines(const CWinBmp& bitmap)
{
    const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1)
        throw CliFailure("cannot start a SHA-256 digest");
    for (int line = 0; line < bitmap.GetHeight(); ++line)
        EVP_DigestUpdate(context.get(), bitmap.getLines()[line], lineBytes(bitmap));
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(context.get(), digest, &length);

    std::string hex;
    for (unsigned int i = 0; i < length; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        hex += pair;
    }
    return hex;
}

// The picture as the album draws it: red, green, blue, with palette indices
// looked up and the alpha byte ignored.
std::string pamBytes(const CWinBmp& bitmap)
{
    std::ostringstream out;
    out << "P7\nWIDTH " << bitmap.GetWidth() << "\nHEIGHT " << bitmap.GetHeight()
        << "\nDEPTH 3\nMAXVAL 255\nTUPLTYPE RGB\nENDHDR\n";
    std::string bytes = out.str();
    const auto width = static_cast<std::size_t>(bitmap.GetWidth());
    bytes.reserve(bytes.size() + 3 * width * static_cast<std::size_t>(bitmap.GetHeight()));
    for (int line = 0; line < bitmap.GetHeight(); ++line) {
        const std::uint8_t* pixels = bitmap.getLines()[line];
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint8_t* bgr = pixels + 4 * x;
            if (bitmap.getBitsPerPixel() == 8)
                bgr = &bitmap.getColorTable()[pixels[x]].blue;
            bytes += static_cast<char>(bgr[2]);
            bytes += static_cast<char>(bgr[1]);
            bytes += static_cast<char>(bgr[0]);
        }
    }
    return bytes;
}

void decodeBmp(const BmpOptions& options)
{
    if (!options.pamFile.empty())
        refuseToOverwriteOrFail("bmp", options.pamFile, {options.file}, "a PAM picture");
    CAnyPicDecoder decoder;
    CWinBmp bitmap;
    try {
        decoder.DecodeFile(options.file, &bitmap, options.bitsPerPixel);
    } catch (const CTextException& e) {
        std::cout << "error code=" << e.GetCode() << '\n';
        std::cerr << e.GetText();
        throw CliExit{1};
    }
    if (!options.pamFile.empty())
        writeOutputOrFail(options.pamFile, pamBytes(bitmap));
    std::cout << bitmap.GetWidth() << 'x' << bitmap.GetHeight() << " bpp=" << bitmap.getBitsPerPixel()
              << " sha256=" << hashLines(bitmap) << '\n';
}

} // namespace

void addBmpCommand(CLI::App& app)
{
    auto* command = app.add_subcommand("bmp",
        "Decode a Windows bitmap as the album does and print its size, depth and the SHA-256 of its lines");
    auto options = std::make_shared<BmpOptions>();
    command->add_option("FILE", options->file, "the bitmap file")->required();
    addNumberOption(*command, kDepthOption, options->bitsPerPixel, "depth asked of the decoder: 0 (its choice), 8 or 32")
        ->capture_default_str();
    command->add_option("--out", options->pamFile, "also write the decoded picture as a PAM file");
    command->callback([options] { decodeBmp(*options); });
}
