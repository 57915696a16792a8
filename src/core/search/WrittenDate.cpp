#include "core/search/WrittenDate.h"

#include "core/journal/CalendarDate.h"
#include "core/search/TextFolding.h"

#include <algorithm>
#include <string>
#include <vector>

namespace talvane::search {
namespace {

struct NamedMonth {
    std::string_view name;
    int month;
};

// Months as English and French write them, folded: no case, no accents ("août" is "aout").
constexpr NamedMonth kMonths[] = {
    {"january", 1},   {"jan", 1},        {"janvier", 1},  {"janv", 1},     {"february", 2},   {"feb", 2},
    {"fevrier", 2},   {"fevr", 2},       {"fev", 2},      {"march", 3},    {"mar", 3},        {"mars", 3},
    {"april", 4},     {"apr", 4},        {"avril", 4},    {"avr", 4},      {"may", 5},        {"mai", 5},
    {"june", 6},      {"jun", 6},        {"juin", 6},     {"july", 7},     {"jul", 7},        {"juillet", 7},
    {"juil", 7},      {"august", 8},     {"aug", 8},      {"aout", 8},     {"september", 9},  {"sep", 9},
    {"sept", 9},      {"septembre", 9},  {"october", 10}, {"oct", 10},     {"octobre", 10},   {"november", 11},
    {"nov", 11},      {"novembre", 11},  {"december", 12}, {"dec", 12},    {"decembre", 12},
};

// A season stands for its middle month; winter, which the timeline counts with the year
// its January and February are in, for January.
constexpr NamedMonth kSeasons[] = {
    {"spring", 4}, {"printemps", 4}, {"summer", 7}, {"ete", 7},   {"autumn", 10},
    {"fall", 10},  {"automne", 10},  {"winter", 1}, {"hiver", 1},
};

// Words that say nothing more of the date: "spring of 2010", "l'été 2010", "Saturday 12 March 2016".
constexpr std::string_view kFillers[] = {
    "of",     "the",     "in",       "de",       "du",     "d",        "en",       "au",       "le",
    "la",     "l",       "monday",   "tuesday",  "wednesday", "thursday", "friday", "saturday", "sunday",
    "lundi",  "mardi",   "mercredi", "jeudi",    "vendredi", "samedi",   "dimanche",
};

// What follows a day's number said as an ordinal: "12th", "1er", "2e".
constexpr std::string_view kOrdinalEndings[] = {"st", "nd", "rd", "th", "er", "re", "e", "eme"};

struct Token {
    enum Kind { Number, Word, Mark } kind;
    std::string_view text;
    // Written right after the token before it, with no space between.
    bool joined;
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetter(char c)
{
    return c >= 'a' && c <= 'z';
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\xA0';
}

bool isMark(char c)
{
    // The right single quotation mark is the apostrophe word processors write: "l’été".
    return c == '-' || c == '/' || c == '.' || c == ',' || c == '\'' || c == '\x92';
}

bool isNumberSeparator(char c)
{
    return c == '-' || c == '/' || c == '.';
}

// The folded text cut into numbers, words and marks; nothing when it holds anything else.
std::optional<std::vector<Token>> tokens(std::string_view folded)
{
    std::vector<Token> cut;
    bool joined = false;
    std::size_t at = 0;
    while (at < folded.size()) {
        const char c = folded[at];
        if (isSpace(c)) {
            joined = false;
            ++at;
            continue;
        }
        const std::size_t start = at;
        Token::Kind kind = Token::Mark;
        if (isDigit(c)) {
            kind = Token::Number;
            while (at < folded.size() && isDigit(folded[at]))
                ++at;
        } else if (isLetter(c)) {
            kind = Token::Word;
            while (at < folded.size() && isLetter(folded[at]))
                ++at;
        } else if (isMark(c)) {
            ++at;
        } else {
            return std::nullopt;
        }
        cut.push_back({kind, folded.substr(start, at - start), joined && !cut.empty()});
        joined = true;
    }
    return cut;
}

// The value of a number of at most four digits.
std::optional<int> valueOf(std::string_view digits)
{
    if (digits.size() > 4)
        return std::nullopt;
    int value = 0;
    for (const char digit : digits)
        value = value * 10 + (digit - '0');
    return value;
}

std::optional<int> yearOf(std::string_view digits)
{
    const auto value = valueOf(digits);
    if (digits.size() != 4 || *value < 1000)
        return std::nullopt;
    return value;
}

// A year of two digits, as in "14.04.19": the fifty years either side of 2000.
std::optional<int> shortYearOf(std::string_view digits)
{
    if (digits.size() != 2)
        return std::nullopt;
    const int value = *valueOf(digits);
    return value < 50 ? 2000 + value : 1900 + value;
}

std::optional<int> smallNumberOf(std::string_view digits)
{
    return digits.size() <= 2 ? valueOf(digits) : std::nullopt;
}

std::optional<int> monthNamed(std::string_view word, const auto& names)
{
    const auto* named = std::find_if(std::begin(names), std::end(names),
                                     [word](const NamedMonth& month) { return month.name == word; });
    return named == std::end(names) ? std::nullopt : std::optional(named->month);
}

template <std::size_t N>
bool isOneOf(std::string_view word, const std::string_view (&words)[N])
{
    return std::find(std::begin(words), std::end(words), word) != std::end(words);
}

std::optional<WrittenDate> checked(int year, int month, int day)
{
    if (month < 0 || month > 12 || (day != 0 && month == 0))
        return std::nullopt;
    if (day < 0 || (day != 0 && !talvane::journal::CalendarDate::fromYearMonthDay(
                                     year, static_cast<unsigned>(month), static_cast<unsigned>(day))))
        return std::nullopt;
    return WrittenDate{year, month, day};
}

// "2014", "2014-06", "06/2014", "2014-06-01", "14/04/2019", "14.04.19": numbers
// separated by one mark, the same throughout.
std::optional<WrittenDate> numericDate(const std::vector<Token>& cut)
{
    if (cut.size() % 2 == 0 || cut.size() > 5)
        return std::nullopt;
    std::vector<std::string_view> numbers;
    for (std::size_t i = 0; i < cut.size(); ++i) {
        if (i % 2 == 0) {
            if (cut[i].kind != Token::Number)
                return std::nullopt;
            numbers.push_back(cut[i].text);
        } else if (cut[i].text != cut[1].text || !isNumberSeparator(cut[i].text.front())) {
            return std::nullopt;
        }
    }
    const auto& first = numbers.front();
    if (numbers.size() == 1) {
        const auto year = yearOf(first);
        return year ? checked(*year, 0, 0) : std::nullopt;
    }
    if (const auto year = yearOf(first)) {
        const auto month = smallNumberOf(numbers[1]);
        const auto day = numbers.size() == 3 ? smallNumberOf(numbers[2]) : std::optional(0);
        return month && day && *month != 0 && (numbers.size() == 2 || *day != 0) ? checked(*year, *month, *day)
                                                                                : std::nullopt;
    }
    if (numbers.size() == 2) {
        const auto month = smallNumberOf(first);
        const auto year = yearOf(numbers[1]);
        return month && year && *month != 0 ? checked(*year, *month, 0) : std::nullopt;
    }
    const auto a = smallNumberOf(first);
    const auto b = smallNumberOf(numbers[1]);
    const auto year = numbers[2].size() == 4 ? yearOf(numbers[2]) : shortYearOf(numbers[2]);
    if (!a || !b || !year || *a == 0 || *b == 0)
        return std::nullopt;
    // Day first, as the program's two languages write it, unless the month cannot be second.
    return *b > 12 ? checked(*year, *a, *b) : checked(*year, *b, *a);
}

// What a word date is made of, once marks and fillers are left out.
struct Part {
    enum Kind { Day, Month, Season, Year } kind;
    int value;
};

// The parts of a word date in the order written; nothing when a word or number cannot be one.
std::optional<std::vector<Part>> dateParts(const std::vector<Token>& cut)
{
    std::vector<Part> parts;
    for (std::size_t i = 0; i < cut.size(); ++i) {
        const Token& token = cut[i];
        if (token.kind == Token::Mark)
            continue;
        if (token.kind == Token::Number) {
            if (const auto year = yearOf(token.text))
                parts.push_back({Part::Year, *year});
            else if (const auto day = smallNumberOf(token.text))
                parts.push_back({Part::Day, *day});
            else
                return std::nullopt;
            // An ordinal's ending belongs to its day.
            if (i + 1 < cut.size() && cut[i + 1].joined && cut[i + 1].kind == Token::Word &&
                isOneOf(cut[i + 1].text, kOrdinalEndings)) {
                if (parts.back().kind != Part::Day)
                    return std::nullopt;
                ++i;
            }
        } else if (const auto month = monthNamed(token.text, kMonths)) {
            parts.push_back({Part::Month, *month});
        } else if (const auto season = monthNamed(token.text, kSeasons)) {
            parts.push_back({Part::Season, *season});
        } else if (!isOneOf(token.text, kFillers)) {
            return std::nullopt;
        }
    }
    return parts;
}

// The date the parts make in one of the orders a date is written in.
std::optional<WrittenDate> dateOfParts(const std::vector<Part>& parts)
{
    const auto shape = [&parts](std::initializer_list<Part::Kind> kinds) {
        return std::equal(parts.begin(), parts.end(), kinds.begin(), kinds.end(),
                          [](const Part& part, Part::Kind kind) { return part.kind == kind; });
    };
    if (shape({Part::Day, Part::Month, Part::Year}))
        return parts[0].value == 0 ? std::nullopt : checked(parts[2].value, parts[1].value, parts[0].value);
    if (shape({Part::Month, Part::Day, Part::Year}))
        return parts[1].value == 0 ? std::nullopt : checked(parts[2].value, parts[0].value, parts[1].value);
    if (shape({Part::Month, Part::Year}) || shape({Part::Season, Part::Year}))
        return checked(parts[1].value, parts[0].value, 0);
    return std::nullopt;
}

// "12 March 2016", "March 12, 2016", "1er août 2014", "June 2014", "Spring 2010".
std::optional<WrittenDate> wordDate(const std::vector<Token>& cut)
{
    const auto parts = dateParts(cut);
    return parts ? dateOfParts(*parts) : std::nullopt;
}

} // namespace

std::optional<WrittenDate> readWrittenDate(std::string_view text)
{
    const std::string folded = foldText(text);
    const auto cut = tokens(folded);
    if (!cut || cut->empty())
        return std::nullopt;
    const bool hasWords =
        std::any_of(cut->begin(), cut->end(), [](const Token& token) { return token.kind == Token::Word; });
    return hasWords ? wordDate(*cut) : numericDate(*cut);
}

} // namespace talvane::search
