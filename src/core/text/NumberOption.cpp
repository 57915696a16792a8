#include "core/text/NumberOption.h"

#include "core/text/ControlCharacters.h"
#include "core/text/Words.h"

#include <algorithm>
#include <charconv>

namespace talvane::text {
namespace {

// "0, 8 or 32"
std::string choicesText(const std::vector<long long>& choices)
{
    std::string out;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const std::string choice = std::to_string(choices[i]);
        out = i == 0 ? choice : i + 1 == choices.size() ? sayMessage(SHOWN_TEXT("%1 or %2"), {out, choice}) : out + ", " + choice;
    }
    return out;
}

bool isTaken(const NumberOption& option, long long number)
{
    const auto& choices = option.choices;
    return number >= option.minimum && number <= option.maximum &&
           (choices.empty() || std::find(choices.begin(), choices.end(), number) != choices.end());
}

} // namespace

std::optional<long long> readNumberOption(const NumberOption& option, std::string_view text)
{
    long long number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, number, 10);
    if (failure != std::errc() || stop != end || !isTaken(option, number))
        return std::nullopt;
    return number;
}

std::string numberOptionError(const NumberOption& option, std::string_view text)
{
    const std::string given = showControlCharacters(text);
    const std::string meaning = sayMessage(option.meaning);
    if (!option.choices.empty())
        return sayMessage(SHOWN_TEXT("%1 must be %2 of %3, not \u201C%4\u201D."),
                          {std::string(option.name), meaning, choicesText(option.choices), given});
    return sayMessage(SHOWN_TEXT("%1 must be %2 from %3 to %4, not \u201C%5\u201D."),
                      {std::string(option.name), meaning, std::to_string(option.minimum), std::to_string(option.maximum), given});
}

} // namespace talvane::text
