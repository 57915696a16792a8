#include "core/garden/TreeLimits.h"

#include "core/garden/SpeciesTable.h"
#include "core/text/AsciiCase.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace talvane::garden {

namespace {

constexpr TemperatureLimits kExteriorDefault{-5, 35};
constexpr TemperatureLimits kInteriorDefault{10, 35};
// A limit beyond this is not a temperature a grower meant.
constexpr int kMostDegrees = 99;

// The first `count` words of a name, separated by single spaces as the table writes them.
std::string firstWords(std::string_view name, int count)
{
    std::string words;
    std::size_t at = 0;
    for (int word = 0; word < count; ++word) {
        at = name.find_first_not_of(" \t", at);
        if (at == std::string_view::npos)
            break;
        const std::size_t end = std::min(name.find_first_of(" \t", at), name.size());
        if (!words.empty())
            words += ' ';
        words += name.substr(at, end - at);
        at = end;
    }
    return words;
}

std::string_view genusOf(std::string_view species)
{
    return species.substr(0, species.find(' '));
}

const SpeciesRow* rowFor(std::string_view botanicalName)
{
    const std::string species = firstWords(botanicalName, 2);
    const std::string genus = firstWords(botanicalName, 1);
    if (genus.empty())
        return nullptr;
    const SpeciesRow* genusRow = nullptr;
    for (const SpeciesRow& row : speciesTable()) {
        if (text::sameIgnoringAsciiCase(row.species, species))
            return &row;
        if (!genusRow && text::sameIgnoringAsciiCase(genusOf(row.species), genus))
            genusRow = &row;
    }
    return genusRow;
}

std::optional<int> degreesFrom(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < -kMostDegrees || value > kMostDegrees)
        return std::nullopt;
    return value;
}

// Sets `slot` from an item's value when the item is the first of its key and well formed.
template <typename Value, typename Read>
bool take(std::optional<Value>& slot, std::string_view value, Read read)
{
    if (slot)
        return false;
    slot = read(value);
    return slot.has_value();
}

void addItem(std::string& text, std::string_view item)
{
    if (!text.empty())
        text += ';';
    text += item;
}

} // namespace

SpeciesNeeds speciesNeeds(const CBonsaiData& entry)
{
    if (const SpeciesRow* row = rowFor(entry[CBonsaiData::BotanicalName]))
        return {row->limits, row->vigour, true};
    const bool interior = entry[CBonsaiData::IntExt] == "0";
    return {interior ? kInteriorDefault : kExteriorDefault, Vigour::Medium, false};
}

TreeWatch readTreeWatch(std::string_view fieldText)
{
    TreeWatch watch;
    const auto date = [](std::string_view text) { return journal::CalendarDate::fromText(text); };
    std::size_t at = 0;
    while (at <= fieldText.size()) {
        const std::size_t end = std::min(fieldText.find(';', at), fieldText.size());
        const std::string_view item = fieldText.substr(at, end - at);
        at = end + 1;
        if (item.empty())
            continue;
        const std::size_t equals = item.find('=');
        const std::string_view key = item.substr(0, equals);
        const std::string_view value = equals == std::string_view::npos ? std::string_view() : item.substr(equals + 1);
        const bool known = equals != std::string_view::npos
                           && ((key == "low" && take(watch.lowest, value, degreesFrom))
                               || (key == "high" && take(watch.highest, value, degreesFrom))
                               || (key == "wirechecked" && take(watch.wireChecked, value, date))
                               || (key == "wiresnoozed" && take(watch.wireSnoozed, value, date)));
        if (!known)
            addItem(watch.unknownItems, item);
    }
    return watch;
}

std::string treeWatchText(const TreeWatch& watch)
{
    std::string text;
    if (watch.lowest)
        addItem(text, "low=" + std::to_string(*watch.lowest));
    if (watch.highest)
        addItem(text, "high=" + std::to_string(*watch.highest));
    if (watch.wireChecked)
        addItem(text, "wirechecked=" + watch.wireChecked->text());
    if (watch.wireSnoozed)
        addItem(text, "wiresnoozed=" + watch.wireSnoozed->text());
    if (!watch.unknownItems.empty())
        addItem(text, watch.unknownItems);
    return text;
}

TemperatureLimits treeLimits(const CBonsaiData& entry)
{
    const TreeWatch watch = readTreeWatch(entry[kWatchField]);
    TemperatureLimits limits = speciesNeeds(entry).limits;
    limits.lowest = watch.lowest.value_or(limits.lowest);
    limits.highest = watch.highest.value_or(limits.highest);
    return limits;
}

} // namespace talvane::garden
