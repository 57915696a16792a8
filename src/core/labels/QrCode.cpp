#include "core/labels/QrCode.h"

#include <qrencode.h>

#include <memory>

namespace talvane::labels {

namespace {

// Scanners need a light border around the code: four modules, as the standard asks.
constexpr int kQuietZone = 4;

struct FreeQrCode {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

} // namespace

std::optional<QrCode> QrCode::encode(std::string_view text)
{
    const std::string data(text);
    std::unique_ptr<QRcode, FreeQrCode> code(
        QRcode_encodeData(static_cast<int>(data.size()), reinterpret_cast<const unsigned char*>(data.data()), 0, QR_ECLEVEL_M));
    if (!code)
        return std::nullopt;
    const int size = code->width;
    std::vector<bool> dark(static_cast<std::size_t>(size * size));
    for (std::size_t i = 0; i < dark.size(); ++i)
        dark[i] = (code->data[i] & 1) != 0;
    return QrCode(size, std::move(dark));
}

std::string QrCode::forTerminal() const
{
    const auto light = [this](int x, int y) {
        return x < 0 || y < 0 || x >= m_size || y >= m_size || !isDark(x, y);
    };
    std::string out;
    for (int y = -kQuietZone; y < m_size + kQuietZone; y += 2) {
        for (int x = -kQuietZone; x < m_size + kQuietZone; ++x) {
            const bool top = light(x, y);
            const bool bottom = y + 1 < m_size + kQuietZone && light(x, y + 1);
            out += top && bottom ? "\u2588" : top ? "\u2580" : bottom ? "\u2584" : " ";
        }
        out += '\n';
    }
    return out;
}

} // namespace talvane::labels
