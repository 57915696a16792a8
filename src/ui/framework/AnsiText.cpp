#include "ui/framework/AnsiText.h"

#include "core/text/Windows1252.h"

#include <QList>

QString fromAnsi(std::string_view bytes)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes)
        out.append(QChar(static_cast<char16_t>(talvane::text::cp1252ToCodePoint(static_cast<unsigned char>(c)))));
    return out;
}

std::string toAnsi(const QString& value)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(value.size()));
    for (const char32_t cp : value.toUcs4()) {
        const auto byte = talvane::text::codePointToCp1252(cp);
        out += byte ? static_cast<char>(*byte) : '?';
    }
    return out;
}
