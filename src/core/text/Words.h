#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Marks an English text the core makes for the window to show, so that
// scripts/update_translations.sh finds it for translations/talvane_fr_corewords.ts; it
// leaves the text as it is.
#define SHOWN_TEXT(english) english

// Texts the core makes for people to read are written in English and said through the
// words they are given, so that the window and the phone pages can say them in theirs.
namespace talvane::text {

// A text's translation (UTF-8) for its English; "%1", "%2", … stand for values that are
// filled in after it is translated.
using Words = std::function<std::string(std::string_view english)>;

// The words of English: every text as it is written.
std::string inEnglish(std::string_view english);

// The text with "%1" … "%9" replaced by the values, in one pass: what a value holds is
// never read as a placeholder. A placeholder with no value stays as it is.
std::string fillPlaceholders(std::string_view text, const std::vector<std::string>& values);

// The translation of the English, filled with the values (plain UTF-8, not escaped).
// Words left empty say the English.
std::string say(const Words& words, std::string_view english, const std::vector<std::string>& values = {});

// The words the program's own messages (why a file cannot be read or written) are said
// in: English until the program chooses its language as it starts, before it runs a
// second thread, as the C library's messages follow the locale.
void speakMessagesIn(Words words);
// Those words, for a text made of several said in them.
const Words& messageWords();
// A message said in those words, filled with the values.
std::string sayMessage(std::string_view english, const std::vector<std::string>& values = {});

// A text made where the words it will be said in are not at hand: its English and its
// values, said by whoever shows it.
struct SaidText {
    SaidText() = default;
    SaidText(const char* english) : english(english) {}
    SaidText(std::string english, std::vector<std::string> values)
        : english(std::move(english)), values(std::move(values))
    {
    }

    std::string said(const Words& words) const;

    std::string english;
    std::vector<std::string> values; // UTF-8
};

} // namespace talvane::text
