#include "core/text/Words.h"

namespace talvane::text {

std::string inEnglish(std::string_view english)
{
    return std::string(english);
}

std::string fillPlaceholders(std::string_view text, const std::vector<std::string>& values)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char next = at + 1 < text.size() ? text[at + 1] : '\0';
        const auto index = static_cast<std::size_t>(next - '1');
        if (text[at] == '%' && next >= '1' && next <= '9' && index < values.size()) {
            out += values[index];
            ++at;
        } else {
            out += text[at];
        }
    }
    return out;
}

std::string say(const Words& words, std::string_view english, const std::vector<std::string>& values)
{
    return fillPlaceholders(words ? words(english) : inEnglish(english), values);
}

namespace {

Words& chosenWords()
{
    static Words words = inEnglish;
    return words;
}

} // namespace

void speakMessagesIn(Words words)
{
    chosenWords() = std::move(words);
}

const Words& messageWords()
{
    return chosenWords();
}

std::string sayMessage(std::string_view english, const std::vector<std::string>& values)
{
    return say(messageWords(), english, values);
}

std::string SaidText::said(const Words& words) const
{
    return say(words, english, values);
}

} // namespace talvane::text
