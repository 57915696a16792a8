#include "Commands.h"

#include "core/text/ControlCharacters.h"
#include "core/text/Windows1252.h"

#include <unistd.h>

std::string PrintedText(std::string_view treeText)
{
    static const bool toTerminal = ::isatty(STDOUT_FILENO) == 1;
    std::string utf8 = text::Cp1252ToUtf8(treeText);
    return toTerminal ? text::ShowControlCharacters(utf8) : utf8;
}
