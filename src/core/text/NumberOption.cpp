#include "text/NumberOption.h"

#include "text/ControlCharacters.h"

#include <algorithm>
#include <charconv>

namespace text {
namespace {

// "0, 8 or 32"
std::string ChoicesText(const std::vector<long long>& choices)
{
    std::string out;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (i > 0)
            out += i + 1 == choices.size() ? " or " : ", ";
        out += std::to_string(choices[i]);
    }
    return out;
}

bool IsTaken(const NumberOption& option, long long number)
{
    const auto& choices = option.choices;
    return number >= option.minimum && number <= option.maximum &&
           (choices.empty() || std::find(choices.begin(), choices.end(), number) != choices.end());
}

} // namespace

std::optional<long long> ReadNumberOption(const NumberOption& option, std::string_view text)
{
    long long number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, number, 10);
    if (failure != std::errc() || stop != end || !IsTaken(option, number))
        return std::nullopt;
    return number;
}

std::string NumberOptionError(const NumberOption& option, std::string_view text)
{
    const std::string taken = option.choices.empty() ? "from " + std::to_string(option.minimum) + " to " +
                                                           std::to_string(option.maximum)
                                                     : "of " + ChoicesText(option.choices);
    return std::string(option.name) + " must be " + std::string(option.meaning) + " " + taken + ", not \u201C" +
           ShowControlCharacters(text) + "\u201D.";
}

} // namespace text
