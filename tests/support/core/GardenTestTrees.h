#pragma once

#include "core/garden/Forecast.h"
#include "core/garden/Place.h"
#include "support/core/JournalTestTrees.h"

#include <string>
#include <vector>

// Appends a tree of a species, standing at a place (a field text, empty for none),
// whose journal holds these events.
inline CBonsaiData& addGardenTree(talvane::collection::EntryList& entries, const std::string& name,
                                  const std::string& botanicalName, const std::string& place = {},
                                  const std::vector<talvane::journal::CareEvent>& events = {})
{
    addTree(entries, name, events);
    CBonsaiData& tree = *entries.back();
    tree[CBonsaiData::BotanicalName] = botanicalName;
    tree[talvane::garden::kPlaceField] = place;
    return tree;
}

// Daily means of the same temperature from `first` to `last`.
inline void addMeans(talvane::garden::Forecast& weather, const char* first, const char* last, double celsius)
{
    for (auto date = day(first); date <= day(last); date = date.plusDays(1))
        weather.daily.push_back({date, std::nullopt, std::nullopt, celsius});
}

// The hours of a night: from noon to midnight at `evening`, then until noon of the next
// day at `morning`.
inline void addNight(talvane::garden::Forecast& weather, const char* date, double evening, double morning)
{
    for (int hour = 12; hour < 24; ++hour)
        weather.hourly.push_back({day(date), hour, evening});
    for (int hour = 0; hour < 12; ++hour)
        weather.hourly.push_back({day(date).plusDays(1), hour, morning});
}
