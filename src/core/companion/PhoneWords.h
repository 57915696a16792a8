#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Marks an English text that a phone is shown, so that scripts/update_translations.sh
// finds it for translations/talvane_fr_phone.ts; it leaves the text as it is.
#define PHONE_TEXT(english) english

// The phone pages speak the language they are given: every text they show is written
// in English and said through the server's words.
namespace talvane::companion {

// A text's translation (UTF-8) for its English; "%1", "%2", … stand for values that are
// filled in after it is translated.
using PhoneWords = std::function<std::string(std::string_view english)>;

// The words of pages in English: every text as it is written.
std::string inEnglish(std::string_view english);

// The text with "%1" … "%9" replaced by the values, in one pass: what a value holds is
// never read as a placeholder. A placeholder with no value stays as it is.
std::string fillPlaceholders(std::string_view text, const std::vector<std::string>& values);

// The translation of the English, filled with the values (plain UTF-8, not escaped).
// Words left empty say the English.
std::string say(const PhoneWords& words, std::string_view english, const std::vector<std::string>& values = {});

// A text for a phone made where the server's words are not at hand (by a host applying
// a change): its English and its values, said by the server as it answers.
struct PhoneText {
    PhoneText() = default;
    PhoneText(const char* english) : english(english) {}
    PhoneText(std::string english, std::vector<std::string> values)
        : english(std::move(english)), values(std::move(values))
    {
    }

    std::string said(const PhoneWords& words) const;

    std::string english;
    std::vector<std::string> values; // UTF-8
};

} // namespace talvane::companion
