#include "Commands.h"

#include "core/text/ControlCharacters.h"
#include "core/text/Windows1252.h"

#include <unistd.h>

std::string printedText(std::string_view treeText)
{
    static const bool toTerminal = ::isatty(STDOUT_FILENO) == 1;
    std::string utf8 = talvane::text::cp1252ToUtf8(treeText);
    return toTerminal ? talvane::text::showControlCharacters(utf8) : utf8;
}
