#pragma once

#include "core/companion/PhoneChange.h"
#include "core/companion/PhoneWords.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// What the phone's forms send, checked and read into changes. Everything here is
// untrusted input: every field is checked, and an error names what to put right, in
// the words given.
namespace talvane::companion {

// Form fields by name, UTF-8 as the browser sent them.
using FormFields = std::multimap<std::string, std::string>;

// The most fields a form may have, and bytes one field may hold.
inline constexpr std::size_t kMaxFormFields = 32;
inline constexpr std::size_t kMaxFormFieldBytes = 16 * 1024;

// The most characters the text of an event may have.
inline constexpr std::size_t kMaxEventText = 4000;

// A tree reference as a path holds it: 1 to 64 lowercase letters, digits and hyphens.
bool isTreeRefText(std::string_view text);
// A decimal number of at most `digits` digits, nothing else.
std::optional<std::size_t> readIndex(std::string_view text, std::size_t digits);

// The Log care form of a tree. The photos are added by whoever received them.
std::variant<LoggedCare, std::string> readLoggedCare(const FormFields& fields, std::string treeRef,
                                                     journal::CalendarDate today, const PhoneWords& words);

// The Log care form of a place: its kind, the day it was done and its text, for every
// tree standing there. `placeName` is Windows-1252.
std::variant<PlaceCare, std::string> readPlaceCare(const FormFields& fields, std::string placeName,
                                                   journal::CalendarDate today, const PhoneWords& words);

// A form a program sends as a JSON object: each member a field, its value a text or a
// number. Gives why it cannot be read otherwise.
std::variant<FormFields, std::string> readJsonForm(std::string_view body, const PhoneWords& words);

// The value of a field, or empty.
std::string fieldValue(const FormFields& fields, const std::string& name);

} // namespace talvane::companion
