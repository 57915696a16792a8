// A phone's photo of a label, 12 megapixels in colour, read as the Trees page's scan
// reads it, against zbarimg reading the same file at full size.
#include "Measures.h"

#include "core/companion/LabelPhoto.h"
#include "core/labels/QrCode.h"
#include "core/labels/TreeLabel.h"

#include <turbojpeg.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

// A garden-coloured photo with the label's code 600 pixels wide off its centre.
std::string phonePhoto(int width, int height)
{
    const auto code = talvane::labels::QrCode::encode(talvane::labels::treeQrText("3f6c2a1e-8b4d-4c7a-9e21-5d0b7f3a9c64"));
    const int module = 600 / code->size(), left = width / 3, top = height / 3;
    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* pixel = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            const int cx = (x - left) / module, cy = (y - top) / module;
            const bool onCode = x >= left && y >= top && cx < code->size() && cy < code->size();
            const bool dark = onCode && code->isDark(cx, cy);
            pixel[0] = dark ? 30 : onCode ? 230 : static_cast<unsigned char>(60 + (x * 7 + y * 3) % 90);
            pixel[1] = dark ? 30 : onCode ? 230 : static_cast<unsigned char>(90 + (x * 5 + y * 11) % 120);
            pixel[2] = dark ? 30 : onCode ? 220 : static_cast<unsigned char>(40 + (x * 13 + y) % 60);
        }
    const std::unique_ptr<void, decltype(&tjDestroy)> encoder(tjInitCompress(), tjDestroy);
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    tjCompress2(encoder.get(), rgb.data(), width, width * 3, height, TJPF_RGB, &jpeg, &size, TJSAMP_420, 90, 0);
    std::string bytes(reinterpret_cast<char*>(jpeg), size);
    tjFree(jpeg);
    return bytes;
}

} // namespace

int main()
{
    const std::string photo = phonePhoto(4000, 3000);
    const auto read = talvane::companion::readQrCodesInPhoto(photo);
    const auto* codes = std::get_if<std::vector<std::string>>(&read);
    if (!codes || codes->size() != 1) {
        std::fprintf(stderr, "the label's code was not read from the photo\n");
        return 1;
    }
    const double scan = seconds([&] { talvane::companion::readQrCodesInPhoto(photo); }, 5);
    std::printf("photo of 4000 x 3000, %.1f MB: label read in %.0f ms\n", photo.size() / 1e6, scan * 1e3);

    const auto file = std::filesystem::temp_directory_path() / "talvane-label-scan.jpg";
    std::ofstream(file, std::ios::binary) << photo;
    const std::string zbarimg = "zbarimg -q --raw '" + file.string() + "' > /dev/null 2>&1";
    const double peer = seconds([&] { std::system(zbarimg.c_str()); }, 5);
    std::filesystem::remove(file);
    std::printf("zbarimg on the same file at full size: %.0f ms\n", peer * 1e3);
    return 0;
}
