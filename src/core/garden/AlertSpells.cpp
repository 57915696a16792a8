#include "core/garden/AlertSpells.h"

#include "core/collection/TreeIdentity.h"
#include "core/text/Windows1252.h"

#include <algorithm>

namespace talvane::garden {

namespace {

// The tree's identifier; without one its position and name, which a line of the kept
// text can hold: tabs and line ends become spaces.
std::string treeKey(const collection::EntryList& entries, std::size_t position)
{
    if (const std::string_view id = collection::treeIdAt(entries, position); !id.empty())
        return std::string(id);
    std::string key = "#" + std::to_string(position) + " " + text::cp1252ToUtf8((*entries.at(position))[CBonsaiData::Name]);
    std::ranges::replace_if(key, [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return key;
}

std::optional<AlertKind> alertKindFromKey(std::string_view key)
{
    for (AlertKind kind : {AlertKind::Frost, AlertKind::Heat, AlertKind::Wire})
        if (alertKindKey(kind) == key)
            return kind;
    return std::nullopt;
}

std::string spellKey(std::string_view tree, AlertKind kind)
{
    return std::string(tree) + '\t' + std::string(alertKindKey(kind));
}

} // namespace

std::vector<GardenAlert> AlertSpells::takeNew(const collection::EntryList& entries, const std::vector<GardenAlert>& alerts)
{
    std::vector<GardenAlert> fresh;
    std::map<std::string, std::string> told;
    for (const GardenAlert& alert : alerts) {
        const std::string key = spellKey(treeKey(entries, alert.entry), alert.kind);
        if (told.contains(key))
            continue;
        if (const auto before = m_told.find(key); before != m_told.end()) {
            told.emplace(key, before->second);
        } else {
            told.emplace(key, alert.date.text());
            fresh.push_back(alert);
        }
    }
    m_told = std::move(told);
    return fresh;
}

std::string AlertSpells::text() const
{
    std::string text;
    for (const auto& [key, date] : m_told)
        text += key + '\t' + date + '\n';
    return text;
}

AlertSpells AlertSpells::read(std::string_view text)
{
    AlertSpells spells;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t dateTab = line.rfind('\t');
        const std::size_t kindTab = dateTab == std::string_view::npos || dateTab == 0 ? std::string_view::npos
                                                                                        : line.rfind('\t', dateTab - 1);
        if (kindTab == std::string_view::npos || kindTab == 0)
            continue;
        const std::string_view tree = line.substr(0, kindTab);
        const auto kind = alertKindFromKey(line.substr(kindTab + 1, dateTab - kindTab - 1));
        const auto date = journal::CalendarDate::fromText(line.substr(dateTab + 1));
        if (kind && date && tree.find('\t') == std::string_view::npos)
            spells.m_told.emplace(spellKey(tree, *kind), date->text());
    }
    return spells;
}

} // namespace talvane::garden
