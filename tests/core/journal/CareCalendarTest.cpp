#include "core/journal/CareCalendar.h"
#include "core/journal/Journal.h"

#include "support/core/JournalTestTrees.h"
#include "support/core/TempDir.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace talvane::collection;

using namespace talvane::journal;

namespace {

struct ParsedEvent {
    std::string start;
    std::string end;
    std::string summary;
    std::string description;
    // The alarms' actions and when each goes off, in seconds from the event's start.
    std::vector<std::pair<std::string, int>> alarms;
    std::string lastModified;
    // The start and the dates its rule repeats it on (at most kExpanded), as libical expands them.
    std::vector<std::string> dates;
};

constexpr std::size_t kExpanded = 40;

std::string dateDigits(const CalendarDate& date)
{
    std::string digits = date.text();
    std::erase(digits, '-');
    return digits;
}

std::vector<std::string> expandedDates(icalcomponent* event)
{
    const icaltimetype start = icalcomponent_get_dtstart(event);
    icalproperty* rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    if (!rule)
        return {icaltime_as_ical_string(start)};
    std::vector<std::string> dates;
    icalrecur_iterator* expanding = icalrecur_iterator_new(icalproperty_get_rrule(rule), start);
    for (icaltimetype date = icalrecur_iterator_next(expanding); !icaltime_is_null_time(date) && dates.size() < kExpanded;
         date = icalrecur_iterator_next(expanding))
        dates.push_back(icaltime_as_ical_string(date));
    icalrecur_iterator_free(expanding);
    return dates;
}

// The events of an iCalendar text as libical reads them back, by UID.
std::map<std::string, ParsedEvent> parseBack(const std::string& text)
{
    std::map<std::string, ParsedEvent> events;
    icalcomponent* calendar = icalparser_parse_string(text.c_str());
    EXPECT_NE(calendar, nullptr);
    if (!calendar)
        return events;
    EXPECT_EQ(icalcomponent_isa(calendar), ICAL_VCALENDAR_COMPONENT);
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        const icaltimetype start = icalcomponent_get_dtstart(event);
        EXPECT_TRUE(start.is_date);
        const char* description = icalcomponent_get_description(event);
        ParsedEvent& parsed = events[icalcomponent_get_uid(event)];
        icalproperty* modified = icalcomponent_get_first_property(event, ICAL_LASTMODIFIED_PROPERTY);
        parsed = {icaltime_as_ical_string(start), icaltime_as_ical_string(icalcomponent_get_dtend(event)),
                  icalcomponent_get_summary(event), description ? description : "", {},
                  modified ? icaltime_as_ical_string(icalproperty_get_lastmodified(modified)) : "", expandedDates(event)};
        for (icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT); alarm;
             alarm = icalcomponent_get_next_component(event, ICAL_VALARM_COMPONENT)) {
            icalproperty* action = icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY);
            icalproperty* trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
            EXPECT_TRUE(action && trigger);
            if (action && trigger)
                parsed.alarms.emplace_back(icalproperty_get_value_as_string(action),
                                           icaldurationtype_as_int(icalproperty_get_trigger(trigger).duration));
        }
    }
    icalcomponent_free(calendar);
    return events;
}

const CareEvent kWire{day("2026-06-01"), CareKind::Wiring, day("2026-12-31"), {}, "remove wire\r\nbefore it bites", {}, {}, {}};
const CareEvent kRepot{day("2026-04-01"), CareKind::Repotting, day("2029-02-28"), {}, "", {}, {}, {}};
} // namespace

TEST(CareCalendar, OneAllDayEventPerTaskReadBackByLibical)
{
    EntryList entries;
    addTree(entries, "\xC9rable du Japon", {kWire, kRepot, kWire});
    const auto events = parseBack(careCalendarText(entries, pendingTasks(entries), 1'800'000'000));
    ASSERT_EQ(events.size(), 3u) << "two identical tasks still get their own UID";
    std::multiset<std::string> starts;
    for (const auto& [uid, event] : events) {
        starts.insert(event.start);
        EXPECT_EQ(event.summary.rfind("\u00C9rable du Japon: ", 0), 0u) << event.summary;
        if (event.start == "20261231") {
            EXPECT_EQ(event.end, "20270101");
            EXPECT_EQ(event.summary, "\u00C9rable du Japon: Wiring, remove wire");
            EXPECT_EQ(event.description, "remove wire\nbefore it bites");
        }
        EXPECT_EQ(event.alarms, (std::vector<std::pair<std::string, int>>{{"DISPLAY", 9 * 3600}})) << "the due day's morning";
    }
    EXPECT_EQ(starts, (std::multiset<std::string>{"20261231", "20261231", "20290228"}));
}

TEST(CareCalendar, UidsStayWhenTheCollectionChangesAroundATask)
{
    EntryList before;
    addTree(before, "Pine", {kWire});
    EntryList after;
    addTree(after, "Maple", {kRepot});
    addTree(after, "Pine", {kRepot, CareEvent{kWire.date, kWire.kind, day("2027-01-15"), {}, kWire.text, {}, {}, {}}});
    const auto first = parseBack(careCalendarText(before, pendingTasks(before), 1'800'000'000));
    const auto second = parseBack(careCalendarText(after, pendingTasks(after), 1'900'000'000));
    ASSERT_EQ(first.size(), 1u);
    ASSERT_TRUE(second.count(first.begin()->first)) << "the moved wiring task kept its UID";
    EXPECT_EQ(second.at(first.begin()->first).start, "20270115");
    EXPECT_EQ(second.size(), 3u);
}

TEST(CareCalendar, ATreesIdentifierKeepsItsUidsThroughARenameAndTreesWithoutOneKeepTheNameScheme)
{
    const std::string id = "0f8fad5b-d9cb-469f-a165-70867728950e";
    auto uids = [](const EntryList& entries) {
        std::set<std::string> made;
        for (const auto& [uid, event] : parseBack(careCalendarText(entries, pendingTasks(entries), 1'800'000'000)))
            made.insert(uid);
        return made;
    };
    EntryList named;
    addTree(named, "Pine", {kWire, kWire});
    EXPECT_EQ(uids(named), (std::set<std::string>{"bb89d11065a18bc3@care.talvane", "bb89d11065a18bc3-2@care.talvane"}));

    EntryList before;
    addTree(before, "Pine", {kWire, kWire});
    (*before[0])[113] = id;
    EntryList renamed;
    addTree(renamed, "Kuromatsu", {kRepot});
    addTree(renamed, "Black pine", {kWire, kWire});
    (*renamed[1])[113] = id;
    const auto first = uids(before);
    EXPECT_EQ(first, (std::set<std::string>{id + "-4148343d213d2869@care.talvane", id + "-4148343d213d2869-2@care.talvane"}));
    const auto second = uids(renamed);
    EXPECT_EQ(second.size(), 3u);
    EXPECT_TRUE(std::includes(second.begin(), second.end(), first.begin(), first.end())) << "renamed and moved";
}

TEST(CareCalendar, ATaskDoneLeavesTheCalendarAndARepeatingOneMovesUnderItsUid)
{
    EntryList entries;
    CareEvent feeding{day("2027-04-01"), CareKind::Feeding, day("2027-04-15"), {}, "feed", {}, {},
                      CareRepeat{2, RepeatUnit::Week, MonthSpan{4, 9}}};
    addTree(entries, "Pine", {kWire, feeding});
    (*entries[0])[113] = "0f8fad5b-d9cb-469f-a165-70867728950e";
    const auto before = parseBack(careCalendarText(entries, pendingTasks(entries), 1'800'000'000));
    ASSERT_EQ(before.size(), 2u);

    auto field = (*entries[0])[kJournalField];
    Journal journal = Journal::read(field);
    ASSERT_TRUE(journal.markDone(0, day("2026-12-20")));
    ASSERT_TRUE(journal.markDone(1, day("2027-04-16")));
    field = journal.text();
    const auto after = parseBack(careCalendarText(entries, pendingTasks(entries), 1'900'000'000));
    ASSERT_EQ(after.size(), 1u) << "the wiring is done and gone";
    const auto& [uid, next] = *after.begin();
    ASSERT_TRUE(before.contains(uid)) << "the feeding moved, it is not a new task";
    EXPECT_EQ(before.at(uid).start, "20270415");
    EXPECT_EQ(next.start, "20270430");
    EXPECT_EQ(before.at(uid).lastModified, "20270115T080000Z") << "written ahead of the export: its moment";
    EXPECT_EQ(next.lastModified, "20270416T000000Z");
    EXPECT_EQ(next.description, "feed\nOnce done, it comes back every 2 weeks, April to September.");
    EXPECT_EQ(std::count_if(before.begin(), before.end(),
                            [](const auto& item) { return item.second.lastModified.empty() && item.second.dates.size() == 1; }),
              1)
        << "the wiring, which does not repeat, is written as before";
}

TEST(CareCalendar, ARepeatingTaskRepeatsOnTheDatesTheProgramGivesWhenItIsDoneOnTime)
{
    struct Case {
        CareRepeat repeat;
        const char* due;
        std::size_t dates; // how many the event has, kMany when its rule has no end
    };
    constexpr std::size_t kMany = kExpanded;
    const Case cases[] = {
        {{2, RepeatUnit::Week, MonthSpan{4, 9}}, "2026-04-01", 14}, // to 2026-09-30; the next season starts on April 1
        {{1, RepeatUnit::Year, std::nullopt}, "2026-07-05", kMany},
        {{3, RepeatUnit::Month, std::nullopt}, "2026-01-20", kMany},
        {{3, RepeatUnit::Month, MonthSpan{3, 11}}, "2026-03-01", kMany}, // March, June and September each year
        {{1, RepeatUnit::Day, MonthSpan{11, 2}}, "2027-02-20", kMany}, // on to November 1
        {{3, RepeatUnit::Month, std::nullopt}, "2026-05-31", 2}, // November has no 31st: the program's next is the 30th
        {{1, RepeatUnit::Year, MonthSpan{3, 3}}, "2026-07-05", 1},  // next due on March 1: no rule gives that
    };
    for (const Case& c : cases) {
        const std::string name = storedRepeat(c.repeat) + " from " + c.due;
        EntryList entries;
        addTree(entries, "Pine", {CareEvent{day("2026-01-01"), CareKind::Feeding, day(c.due), {}, "feed", {}, {}, c.repeat}});
        const auto events = parseBack(careCalendarText(entries, pendingTasks(entries), 1'800'000'000));
        ASSERT_EQ(events.size(), 1u) << name;
        const std::vector<std::string>& expanded = events.begin()->second.dates;
        EXPECT_EQ(expanded.size(), c.dates) << name;
        CalendarDate due = day(c.due);
        for (std::size_t i = 0; i < expanded.size(); ++i, due = nextDue(c.repeat, due))
            ASSERT_EQ(expanded[i], dateDigits(due)) << name << ", date " << i;
    }
}

TEST(CareCalendar, WritesWholeFilesAndRefusesAFolderItCannotWrite)
{
    TempDir dir;
    EntryList entries;
    addTree(entries, "Pine", {kWire});
    writeFileBytes(dir / "care.ics", "old");
    ASSERT_FALSE(writeCareCalendar(dir / "care.ics", entries, pendingTasks(entries)));
    EXPECT_EQ(parseBack(readFileBytes(dir / "care.ics")).size(), 1u);

    writeFileBytes(dir / "plain", "a file, not a folder");
    const auto refused = writeCareCalendar(dir / "plain" / "care.ics", entries, pendingTasks(entries));
    ASSERT_TRUE(refused);
    EXPECT_EQ(*refused, "The care calendar cannot be written to " + (dir / "plain" / "care.ics").string() + ": Not a directory.");
    EXPECT_EQ(folderNames(dir.path()), (std::vector<std::string>{"care.ics", "plain"}));
}

// RFC 5545 allows no control character but TAB in a text; the lines of the file itself
// end with CR LF.
TEST(CareCalendar, ControlCharactersAreLeftOutAndEveryLineEndBecomesOneBreak)
{
    EntryList entries;
    const std::string text("a\x01" "b\x7F\tc\rd\r\ne\nf\x1B[2Jg\x9D\x81\x80 h\0i", 25);
    addTree(entries, "Pine\x1B]0;owned\x07", {CareEvent{day("2026-06-01"), CareKind::Note, day("2026-07-01"), {}, text, {}, {}, {}}});
    const std::string ics = careCalendarText(entries, pendingTasks(entries), 1'800'000'000);

    for (std::size_t i = 0; i < ics.size(); ++i) {
        const auto byte = static_cast<unsigned char>(ics[i]);
        if (byte == '\r') {
            EXPECT_EQ(ics[i + 1], '\n') << "at " << i;
        } else if (byte == '\n') {
            EXPECT_EQ(ics[i - 1], '\r') << "at " << i;
        } else {
            EXPECT_TRUE(byte == '\t' || (byte >= 0x20 && byte != 0x7F)) << "byte " << int(byte) << " at " << i;
            EXPECT_FALSE(byte == 0xC2 && static_cast<unsigned char>(ics[i + 1]) < 0xA0) << "a C1 control at " << i;
        }
    }
    const auto events = parseBack(ics);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events.begin()->second.summary, "Pine]0;owned: Note, ab\tc");
    EXPECT_EQ(events.begin()->second.description, "ab\tc\nd\ne\nf[2Jg\u20AC hi");
}
