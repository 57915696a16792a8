#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvane::labels {

// A QR code as a square of modules, made by libqrencode with medium error correction.
class QrCode {
public:
    // Nothing when the text is too long for any QR code.
    static std::optional<QrCode> encode(std::string_view text);

    int size() const { return m_size; }
    bool isDark(int x, int y) const { return m_dark[static_cast<std::size_t>(y * m_size + x)]; }

    // The code drawn with Unicode half blocks for a terminal, two module rows a line,
    // inside a quiet zone. Light modules are drawn as blocks, so that the code reads
    // dark on light on the usual dark terminal.
    std::string forTerminal() const;

private:
    QrCode(int size, std::vector<bool> dark) : m_size(size), m_dark(std::move(dark)) {}

    int m_size;
    std::vector<bool> m_dark;
};

} // namespace talvane::labels
