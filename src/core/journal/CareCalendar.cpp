#include "core/journal/CareCalendar.h"

#include "core/collection/SafeFile.h"
#include "core/collection/TreeIdentity.h"
#include "core/text/ControlCharacters.h"
#include "core/text/Windows1252.h"
#include "core/text/Words.h"

#include <libical/ical.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>

namespace talvane::journal {

namespace {

constexpr int kAlarmSecondsIntoTheDay = 9 * 60 * 60;

struct ComponentDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

// A day as libical reads one from a file: its time is midnight, which the recurrence
// rules count from.
icaltimetype allDay(const CalendarDate& date)
{
    icaltimetype time = icaltime_null_date();
    time.year = date.year();
    time.month = static_cast<int>(date.month());
    time.day = static_cast<int>(date.day());
    time.hour = time.minute = time.second = 0;
    return time;
}

// FNV-1a: a short, stable fingerprint of what identifies a task.
std::uint64_t fingerprint(std::string_view bytes)
{
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

// The date, kind and text of an event, each after a NUL.
std::string eventIdentity(const CareEvent& event)
{
    std::string identity;
    // The date's text must outlive the loop: the list below only views it.
    const std::string date = event.date.text();
    for (std::string_view part : {std::string_view(date), careKindName(event.kind), std::string_view(event.text)})
        identity.append(1, '\0').append(part);
    return identity;
}

std::string hexFingerprint(std::string_view bytes)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(fingerprint(bytes)));
    return buffer;
}

// Marking a repeating task done adds an event of that day, due again: the task's
// identity leaves the date out, so that its calendar event moves rather than being
// replaced by another.
std::string repeatingIdentity(const CareEvent& event)
{
    std::string identity;
    for (std::string_view part : {std::string_view("repeats"), careKindName(event.kind), std::string_view(event.text)})
        identity.append(1, '\0').append(part);
    return identity;
}

// What a task's UID is made of: the tree's identifier and the event when the tree has
// one, so that a renamed tree keeps its tasks; else the tree's name and the event.
std::string taskKey(std::string_view treeId, const std::string& treeName, const CareEvent& event)
{
    const std::string identity = event.repeat ? repeatingIdentity(event) : eventIdentity(event);
    if (!treeId.empty())
        return std::string(treeId) + "-" + hexFingerprint(identity);
    return hexFingerprint(treeName + identity);
}

// The rule a calendar repeats a task by, from its due date. A step of years keeps the
// month it is due in, so the span's months are given to the smaller steps only: with
// years, BYMONTH would add a date in each of them.
icalrecurrencetype repeatRule(const CareRepeat& repeat)
{
    static constexpr icalrecurrencetype_frequency kFrequencies[] = {
        ICAL_DAILY_RECURRENCE, ICAL_WEEKLY_RECURRENCE, ICAL_MONTHLY_RECURRENCE, ICAL_YEARLY_RECURRENCE};
    icalrecurrencetype rule;
    icalrecurrencetype_clear(&rule);
    rule.freq = kFrequencies[static_cast<std::size_t>(repeat.unit)];
    rule.interval = static_cast<short>(repeat.every);
    if (repeat.months && repeat.unit != RepeatUnit::Year) {
        std::size_t count = 0;
        for (unsigned month = 1; month <= 12; ++month)
            if (repeat.months->contains(month))
                rule.by_month[count++] = static_cast<short>(month);
        rule.by_month[count] = ICAL_RECURRENCE_ARRAY_MAX;
    }
    return rule;
}

// Whether the rule gives the program's dates whatever comes: a step of days or weeks
// with no span, or of one day within one (every day of its months); a step of months or
// years on a day that every month it falls in has.
bool ruleAlwaysAgrees(const CareRepeat& repeat, const CalendarDate& due)
{
    const bool inSpan = !repeat.months || repeat.months->contains(due.month());
    switch (repeat.unit) {
    case RepeatUnit::Day: return !repeat.months || (repeat.every == 1 && inSpan);
    case RepeatUnit::Week: return !repeat.months;
    case RepeatUnit::Month: return !repeat.months && due.day() <= 28;
    case RepeatUnit::Year: return inSpan && !(due.month() == 2 && due.day() == 29);
    }
    return false;
}

// How long the rule's dates are compared with the program's otherwise: five years hold
// every season several times and the year of a leap day, and at least three steps are
// compared.
constexpr long kComparedMonths = 5 * 12;
constexpr int kLeastComparedSteps = 3;

// The task's repeat as a rule that gives the dates the program gives when it is done on
// each of its due days. Where they part (a span starts each season on the first of its
// first month; a step of months from the 31st falls back to a shorter month's last
// day), the rule ends on the last date both give. Nothing when they part at once.
std::optional<icalrecurrencetype> agreeingRule(const CareRepeat& repeat, const CalendarDate& due)
{
    icalrecurrencetype rule = repeatRule(repeat);
    if (ruleAlwaysAgrees(repeat, due))
        return rule;
    icalrecur_iterator* expanding = icalrecur_iterator_new(rule, allDay(due));
    if (!expanding)
        return std::nullopt;
    const CalendarDate horizon = due.plusMonths(kComparedMonths);
    CalendarDate agreed = due;
    bool agrees = icaltime_compare_date_only(icalrecur_iterator_next(expanding), allDay(due)) == 0;
    for (int step = 0; agrees && (agreed <= horizon || step < kLeastComparedSteps); ++step) {
        const CalendarDate next = nextDue(repeat, agreed);
        agrees = icaltime_compare_date_only(icalrecur_iterator_next(expanding), allDay(next)) == 0;
        if (agrees)
            agreed = next;
    }
    icalrecur_iterator_free(expanding);
    if (agreed == due)
        return std::nullopt;
    if (!agrees)
        rule.until = allDay(agreed);
    return rule;
}

// A repeating task's event repeats by the rule, and says when it was last changed: the
// day the task was written or last done, when its event moved (never after the export).
void addRepeat(icalcomponent* event, const CareEvent& task, icaltimetype stamp)
{
    if (const auto rule = agreeingRule(*task.repeat, *task.due))
        icalcomponent_add_property(event, icalproperty_new_rrule(*rule));
    icaltimetype written = allDay(task.date);
    written.is_date = 0;
    written.zone = icaltimezone_get_utc_timezone();
    icalcomponent_add_property(event, icalproperty_new_lastmodified(icaltime_compare(written, stamp) < 0 ? written : stamp));
}

// Calendar texts are UTF-8 and break lines with a bare line feed: CR LF and a lone CR
// each become one. Other control characters are not allowed in a calendar and are
// left out, apart from TAB.
std::string calendarText(std::string_view text)
{
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char byte = text[i];
        if (byte == '\r') {
            lines += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (byte == '\t' || byte == '\n' ||
                   !text::isControlCharacter(text::cp1252ToCodePoint(static_cast<unsigned char>(byte)))) {
            lines += byte;
        }
    }
    return text::cp1252ToUtf8(lines);
}

// The event's text, and how the task comes back once done.
std::string taskDescription(const CareEvent& event)
{
    std::string description = calendarText(event.text);
    if (event.repeat) {
        if (!description.empty())
            description += "\n";
        description += text::sayMessage(SHOWN_TEXT("Once done, it comes back %1."),
                                        {repeatText(*event.repeat, text::messageWords())});
    }
    return description;
}

// The alarm a calendar shows on the due day: an all-day event starts at midnight of
// the grower's own day, so the morning lies nine hours after its start.
icalcomponent* morningAlarm(const std::string& title)
{
    icalcomponent* alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(kAlarmSecondsIntoTheDay);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_property(alarm, icalproperty_new_description(title.c_str()));
    return alarm;
}

// Tasks with the same key (the same work written twice on one day) are told apart by
// their order.
class UidMaker {
public:
    std::string uid(const std::string& key)
    {
        const unsigned repeat = ++m_seen[key];
        std::string uid = key;
        if (repeat > 1)
            uid += "-" + std::to_string(repeat);
        return uid + "@care.talvane";
    }

private:
    std::map<std::string, unsigned> m_seen;
};

} // namespace

std::string careCalendarText(const collection::EntryList& entries, const std::vector<DueTask>& tasks, std::time_t stamp)
{
    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Orvande//Talvane care calendar//EN"));
    const icaltimetype stampTime = icaltime_from_timet_with_zone(stamp, 0, icaltimezone_get_utc_timezone());
    const std::vector<std::string_view> treeIds = talvane::collection::treeIds(entries);
    UidMaker uids;
    for (const DueTask& task : tasks) {
        const std::string treeName((*entries.at(task.entry))[CBonsaiData::Name]);
        const std::string uid = uids.uid(taskKey(treeIds[task.entry], treeName, task.event));
        icalcomponent* event = icalcomponent_new_vevent();
        icalcomponent_add_property(event, icalproperty_new_uid(uid.c_str()));
        icalcomponent_add_property(event, icalproperty_new_dtstamp(stampTime));
        icalcomponent_add_property(event, icalproperty_new_dtstart(allDay(task.due())));
        icalcomponent_add_property(event, icalproperty_new_dtend(allDay(task.due().plusDays(1))));
        const std::string title =
            taskTitle(calendarText(treeName), task.event.kind, calendarText(firstLineOf(task.event)), text::messageWords());
        icalcomponent_add_property(event, icalproperty_new_summary(title.c_str()));
        const std::string description = taskDescription(task.event);
        if (!description.empty())
            icalcomponent_add_property(event, icalproperty_new_description(description.c_str()));
        icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        if (task.event.repeat)
            addRepeat(event, task.event, stampTime);
        icalcomponent_add_component(event, morningAlarm(title));
        icalcomponent_add_component(calendar.get(), event);
    }
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    std::string result = text ? text : "";
    icalmemory_free_buffer(text);
    return result;
}

std::optional<std::string> writeCareCalendar(const std::filesystem::path& path, const collection::EntryList& entries,
                                             const std::vector<DueTask>& tasks)
{
    if (const auto failure = collection::replaceFile(path, careCalendarText(entries, tasks, std::time(nullptr))))
        return text::sayMessage(SHOWN_TEXT("The care calendar cannot be written to %1: %2."), {path.string(), *failure});
    return std::nullopt;
}

} // namespace talvane::journal
