#include "core/garden/WireWatch.h"

#include "support/core/GardenTestTrees.h"

#include <gtest/gtest.h>

using namespace talvane::garden;
using talvane::journal::CareEvent;
using talvane::journal::CareKind;

namespace {

const auto kToday = day("2026-05-31");

CareEvent care(const char* date, CareKind kind)
{
    return {day(date), kind, std::nullopt, {}, {}, {}, {}, {}};
}

// A Chinese elm (fast: 250 degree days) wired on May 1, with these further events.
talvane::collection::EntryList wiredElm(std::vector<CareEvent> more = {}, const std::string& watch = {})
{
    more.push_back(care("2026-05-01", CareKind::Wiring));
    talvane::collection::EntryList entries;
    addGardenTree(entries, "Elm", "Ulmus parvifolia", {}, more)[kWatchField] = watch;
    return entries;
}

// Daily means from April to a week ahead of today.
Forecast weeksAt(double celsius)
{
    Forecast weather;
    addMeans(weather, "2026-04-01", "2026-06-07", celsius);
    return weather;
}

std::string checkOn(const talvane::collection::EntryList& entries, const Forecast& weather)
{
    const auto check = wireCheckOf(entries, 0, weather, kToday);
    return check ? check->checkOn.text() : "none";
}

} // namespace

TEST(WireWatch, AWarmSpellBringsTheCheckSoonerThanACoolOne)
{
    const auto entries = wiredElm();
    // 15 degree days a day reach 250 on the 17th day.
    const auto warm = wireCheckOf(entries, 0, weeksAt(25), kToday);
    ASSERT_TRUE(warm);
    EXPECT_EQ(warm->wired, day("2026-05-01"));
    EXPECT_EQ(warm->from, day("2026-05-01"));
    EXPECT_EQ(warm->checkOn, day("2026-05-18"));
    EXPECT_EQ(warm->warmWeeks, 4);
    EXPECT_DOUBLE_EQ(warm->warmth, 30 * 15);
    // 4 a day: the days known bring 148, the days after are taken at the same rate.
    EXPECT_EQ(checkOn(entries, weeksAt(14)), "2026-07-03");
    // Days that bring nothing, and the rate after them nothing either: the longest wait.
    const auto cold = wireCheckOf(entries, 0, weeksAt(6), kToday);
    EXPECT_EQ(cold->checkOn, day("2026-05-01").plusDays(kLongestWireWait));
    EXPECT_EQ(cold->warmWeeks, 0);
    // Without any weather: eight weeks for a medium tree.
    auto maple = wiredElm();
    (*maple[0])[CBonsaiData::BotanicalName] = "Acer palmatum";
    EXPECT_EQ(checkOn(maple, Forecast{}), "2026-06-26");
    EXPECT_EQ(checkOn(entries, Forecast{}), "2026-06-12");
}

TEST(WireWatch, RemovalChecksAndSnoozesMoveOrEndTheWatch)
{
    const Forecast warm = weeksAt(25);
    EXPECT_EQ(checkOn(wiredElm({care("2026-05-01", CareKind::WireRemoval)}), warm), "none");
    EXPECT_EQ(checkOn(wiredElm({care("2026-05-20", CareKind::WireRemoval)}), warm), "none");
    EXPECT_EQ(checkOn(wiredElm({care("2026-04-02", CareKind::WireRemoval)}), warm), "2026-05-18") << "wired again";
    EXPECT_EQ(checkOn(wiredElm({care("2026-04-02", CareKind::Note)}, "wiresnoozed=2026-06-20"), warm), "2026-06-20");
    EXPECT_EQ(checkOn(wiredElm({}, "wiresnoozed=2026-05-02"), warm), "2026-05-18");
    EXPECT_EQ(checkOn(wiredElm({}, "wirechecked=2026-04-10"), warm), "2026-05-18") << "checked before the wiring";

    const auto checked = wireCheckOf(wiredElm({}, "wirechecked=2026-05-20"), 0, warm, kToday);
    ASSERT_TRUE(checked);
    EXPECT_EQ(checked->from, day("2026-05-20"));
    EXPECT_EQ(checked->checkOn, day("2026-06-06"));
    EXPECT_EQ(checked->warmWeeks, 1);

    talvane::collection::EntryList unwired;
    addGardenTree(unwired, "Pine", "Pinus mugo", {}, {care("2026-05-01", CareKind::Pruning)});
    EXPECT_EQ(checkOn(unwired, warm), "none");
}
