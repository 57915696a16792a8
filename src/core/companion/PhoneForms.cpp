#include "core/companion/PhoneForms.h"

#include "core/text/Windows1252.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace talvane::companion {

namespace {

using namespace talvane::journal;

std::optional<std::string> readMeasurements(const FormFields& fields, std::vector<Measurement>& measurements,
                                            const PhoneWords& words)
{
    for (const MeasureKind kind : kMeasureKinds) {
        const std::string key(measureKey(kind));
        const std::string typed = fieldValue(fields, "amount-" + key);
        if (typed.find_first_not_of(" \t") == std::string::npos)
            continue;
        const auto amount = amountFromTyped(typed);
        const std::string name = say(words, measureName(kind));
        if (!amount)
            return say(words, PHONE_TEXT("%1: “%2” is not an amount. Type a number such as 42 or 3.5."),
                       {name, typed.substr(0, 40)});
        const auto unit = unitFromName(fieldValue(fields, "unit-" + key));
        if (!unit)
            return say(words, PHONE_TEXT("%1: choose a unit."), {name});
        measurements.push_back({kind, *amount, *unit});
    }
    return std::nullopt;
}

// Counted once converted, one byte a character: counting the UTF-8 sent by its lead
// bytes let through any number of stray continuation bytes.
template <typename Care>
std::optional<std::string> readCareText(const FormFields& fields, Care& care, const PhoneWords& words)
{
    text::StorableForm storable = text::makeStorable(fieldValue(fields, "text"));
    if (const text::StorableChange* leftOut = storable.firstLeftOut())
        return say(words, PHONE_TEXT("“%1” cannot be stored in a Talvane collection: write it another way."), {leftOut->typed});
    care.text = std::move(storable.cp1252);
    care.textChanges = std::move(storable.changes);
    if (care.text.size() > kMaxEventText)
        return say(words, PHONE_TEXT("The text is too long: at most %1 characters."), {std::to_string(kMaxEventText)});
    return std::nullopt;
}

// The kind of care, and the day it was done: today when not given.
template <typename Care>
std::optional<std::string> readKindAndDay(const FormFields& fields, Care& care, const PhoneWords& words)
{
    const auto kind = careKindFromName(fieldValue(fields, "kind"));
    if (!kind)
        return say(words, PHONE_TEXT("Choose the kind of care."));
    care.kind = *kind;
    const std::string date = fieldValue(fields, "date");
    if (!date.empty()) {
        const auto done = CalendarDate::fromText(date);
        if (!done)
            return say(words, PHONE_TEXT("The date is not a date of the calendar."));
        if (care.today < *done)
            return say(words, PHONE_TEXT("The date is after today (%1)."), {care.today.text()});
        care.date = *done;
    }
    return std::nullopt;
}

// The day the care is due next.
std::optional<std::string> readDueDate(const FormFields& fields, LoggedCare& care, const PhoneWords& words)
{
    const CalendarDate today = care.today;
    const std::string due = fieldValue(fields, "due");
    if (!due.empty()) {
        care.due = CalendarDate::fromText(due);
        if (!care.due)
            return say(words, PHONE_TEXT("The due date is not a date of the calendar."));
        if (*care.due < today)
            return say(words, PHONE_TEXT("The due date is before today (%1)."), {today.text()});
    }
    return std::nullopt;
}

// The repeat as the journal stores it ("2w", "1y@3-4"): only with a due date.
std::optional<std::string> readCareRepeat(const FormFields& fields, LoggedCare& care, const PhoneWords& words)
{
    if (const std::string repeat = fieldValue(fields, "repeat"); !repeat.empty()) {
        care.repeat = parseStoredRepeat(repeat);
        if (!care.repeat)
            return say(words, PHONE_TEXT("“%1” is not a repeat: write it as 2w, 3m or 1y."), {repeat.substr(0, 40)});
        if (!care.due)
            return say(words, PHONE_TEXT("A repeat needs a due date."));
    }
    return std::nullopt;
}

} // namespace

std::variant<FormFields, std::string> readJsonForm(std::string_view body, const PhoneWords& words)
{
    const std::string unread = say(words, PHONE_TEXT("The form could not be read. Nothing was changed."));
    const nlohmann::json form = nlohmann::json::parse(body, nullptr, false);
    if (!form.is_object() || form.size() > kMaxFormFields)
        return unread;
    FormFields fields;
    for (const auto& [name, value] : form.items()) {
        if (!value.is_string() && !value.is_number())
            return unread;
        std::string text = value.is_string() ? value.get<std::string>() : value.dump();
        if (text.size() > kMaxFormFieldBytes)
            return say(words, PHONE_TEXT("A field of the form is too long. Nothing was changed."));
        fields.emplace(name, std::move(text));
    }
    return fields;
}

std::string fieldValue(const FormFields& fields, const std::string& name)
{
    const auto found = fields.find(name);
    return found == fields.end() ? std::string() : found->second;
}

bool isTreeRefText(std::string_view text)
{
    return !text.empty() && text.size() <= 64 &&
           std::all_of(text.begin(), text.end(), [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'; });
}

std::optional<std::size_t> readIndex(std::string_view text, std::size_t digits)
{
    if (text.empty() || text.size() > digits ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::size_t value = 0;
    for (const char c : text)
        value = value * 10 + static_cast<std::size_t>(c - '0');
    return value;
}

std::variant<LoggedCare, std::string> readLoggedCare(const FormFields& fields, std::string treeRef, CalendarDate today,
                                                     const PhoneWords& words)
{
    LoggedCare care;
    care.treeRef = std::move(treeRef);
    care.today = today;
    care.date = today;
    if (auto problem = readKindAndDay(fields, care, words))
        return *problem;
    if (auto problem = readCareText(fields, care, words))
        return *problem;
    if (auto problem = readDueDate(fields, care, words))
        return *problem;
    if (auto problem = readCareRepeat(fields, care, words))
        return *problem;
    care.byPhotoDates = fieldValue(fields, "byPhotoDates") == "1";
    if (auto problem = readMeasurements(fields, care.measurements, words))
        return *problem;
    return care;
}

std::variant<PlaceCare, std::string> readPlaceCare(const FormFields& fields, std::string placeName, CalendarDate today,
                                                   const PhoneWords& words)
{
    PlaceCare care;
    care.placeName = std::move(placeName);
    care.today = today;
    care.date = today;
    if (auto problem = readKindAndDay(fields, care, words))
        return *problem;
    if (auto problem = readCareText(fields, care, words))
        return *problem;
    return care;
}

} // namespace talvane::companion
