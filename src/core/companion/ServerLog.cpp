#include "core/companion/ServerLog.h"

#include "core/text/ControlCharacters.h"
#include "core/text/Windows1252.h"

#include <ctime>
#include <memory>
#include <mutex>
#include <ostream>

namespace talvane::companion {

std::string logSafe(std::string_view text, std::size_t most)
{
    std::string safe;
    for (std::size_t pos = 0; pos < text.size();) {
        if (safe.size() >= most)
            return safe + "\u2026";
        const auto codePoint = text::nextCodePoint(text, pos);
        if (codePoint && !text::isControlCharacter(*codePoint))
            text::appendUtf8(safe, *codePoint);
        else
            safe += '?';
    }
    return safe;
}

ServerLog timedLines(std::ostream& out)
{
    auto writing = std::make_shared<std::mutex>();
    return [&out, writing](std::string_view line) {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        char stamp[32];
        std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S ", &local);
        std::lock_guard lock(*writing);
        out << stamp << line << std::endl;
    };
}

} // namespace talvane::companion
