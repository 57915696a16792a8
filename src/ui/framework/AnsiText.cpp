#include "ui/framework/AnsiText.h"

#include "core/text/Windows1252.h"

#include <QList>

QString FromAnsi(std::string_view bytes)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes)
        out.append(QChar(static_cast<char16_t>(text::Cp1252ToCodePoint(static_cast<unsigned char>(c)))));
    return out;
}

std::string ToAnsi(const QString& value)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(value.size()));
    for (const char32_t cp : value.toUcs4()) {
        const auto byte = text::CodePointToCp1252(cp);
        out += byte ? static_cast<char>(*byte) : '?';
    }
    return out;
}
