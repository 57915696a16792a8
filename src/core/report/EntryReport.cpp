#include "core/report/EntryReport.h"

#include "core/collection/BonsaiData.h"
#include "core/collection/FieldCatalogue.h"
#include "core/journal/Journal.h"

#include <algorithm>
#include <array>
#include <initializer_list>

using namespace talvane::report;

namespace {

using F = CBonsaiData;
using talvane::collection::FieldInfo;
using talvane::collection::Page;
using talvane::collection::ReportForm;

// A label whose "%s" marks take the values in turn. Values are copied as they are: a
// percent sign in a value is never read as a format.
std::string labelled(std::string_view label, std::initializer_list<std::string_view> values)
{
    std::string line;
    for (std::string_view value : values) {
        const auto at = label.find("%s");
        line.append(label.substr(0, at)).append(value);
        label.remove_prefix(at + 2);
    }
    return line.append(label);
}

void rule(std::string_view title, std::size_t length, ReportLines& lines)
{
    std::string rule(title);
    rule.resize(length, '-');
    AddReportLine(rule, lines);
}

void blank(ReportLines& lines)
{
    AddReportLine(" ", lines);
}

// One field as the catalogue says the report prints it.
void reportField(const FieldInfo& info, const CBonsaiData& entry, ReportLines& lines)
{
    const std::string_view value = info.reportedText(entry[info.index]);
    switch (info.reportForm) {
    case ReportForm::None:
        return;
    case ReportForm::Line:
        AddReportLine(labelled(info.reportLabel, {value}), lines);
        return;
    case ReportForm::SpacedParagraph:
        blank(lines);
        [[fallthrough]];
    case ReportForm::Paragraph:
        AddReportLine(info.reportLabel, lines);
        AddReportText(value, lines);
        return;
    case ReportForm::PhotoPair: {
        const std::size_t slot = info.index - F::Photo1Description;
        AddReportLine(labelled(info.reportLabel, {value, entry[F::photoField(slot)]}), lines);
        return;
    }
    }
}

// The fields a page's section of the report prints, in the order it prints them.
std::vector<const FieldInfo*> reportedFields(Page page)
{
    std::vector<const FieldInfo*> reported;
    for (const std::size_t index : talvane::collection::fieldsOf(page)) {
        if (talvane::collection::field(index).reportForm != ReportForm::None)
            reported.push_back(&talvane::collection::field(index));
    }
    std::sort(reported.begin(), reported.end(),
              [](const FieldInfo* a, const FieldInfo* b) { return a->reportOrder < b->reportOrder; });
    return reported;
}

void reportFields(Page page, const CBonsaiData& entry, ReportLines& lines)
{
    static const auto sections = [] {
        std::array<std::vector<const FieldInfo*>, static_cast<std::size_t>(Page::Garden) + 1> made;
        for (std::size_t p = 0; p < made.size(); ++p)
            made[p] = reportedFields(static_cast<Page>(p));
        return made;
    }();
    for (const FieldInfo* info : sections[static_cast<std::size_t>(page)])
        reportField(*info, entry, lines);
}

// A page's section: its rule, its fields and two blank lines.
void section(Page page, const CBonsaiData& entry, ReportLines& lines)
{
    const auto& info = talvane::collection::page(page);
    rule("-- " + std::string(info.caption) + " ", info.reportRuleLength, lines);
    reportFields(page, entry, lines);
    blank(lines);
    blank(lines);
}

// "2026-04-12 Wiring, due 2026-09-01 [File maple2.bmp] (Height 42 cm, Trunk diameter
// 3.5 cm): text", the text's own lines following as report lines.
std::string journalEventLine(const talvane::journal::CareEvent& event)
{
    std::string line = event.date.text() + " " + std::string(talvane::journal::careKindName(event.kind));
    if (event.due)
        line += ", due " + event.due->text();
    for (const std::string& picture : event.pictures())
        line += " [File " + picture + "]";
    for (std::size_t i = 0; i < event.measurements.size(); ++i) {
        const auto& measurement = event.measurements[i];
        line += i == 0 ? " (" : ", ";
        line += std::string(talvane::journal::measureName(measurement.kind)) + " " + measurement.text();
        if (i + 1 == event.measurements.size())
            line += ")";
    }
    line += ":";
    if (!event.text.empty())
        line += " " + event.text;
    return line;
}

// The tree's journal, newest first. A tree without events, or whose field holds
// something else than a journal, adds nothing, so its report stays as it always was.
void journalSection(const CBonsaiData& entry, ReportLines& lines)
{
    const std::string_view field = entry[talvane::journal::kJournalField];
    if (field.empty())
        return;
    const auto events = talvane::journal::Journal::read(field).newestFirst();
    if (events.empty())
        return;
    rule("-- Care journal ", 63, lines);
    for (const auto& numbered : events)
        AddReportText(journalEventLine(numbered.event), lines);
    blank(lines);
    blank(lines);
}

// Fills the entry's last page with blank lines, so that the next entry starts a page;
// blank lines that spilled over onto a page of their own are dropped instead, so that
// no page of the report is made of blank lines alone.
void endOnAPageOfItsOwn(ReportLines& lines, std::size_t start)
{
    const std::size_t lastPage = lines.size() / kReportPageLines * kReportPageLines;
    if (lastPage > start && std::all_of(lines.begin() + static_cast<std::ptrdiff_t>(lastPage), lines.end(),
                                        [](const std::string& line) { return line.find_first_not_of(' ') == std::string::npos; }))
        lines.resize(lastPage);
    while (lines.size() % kReportPageLines != 0)
        blank(lines);
}

} // namespace

void AddReportLine(std::string_view text, ReportLines& lines)
{
    while (text.size() > kReportLineWidth) {
        std::size_t breakAt = kReportLineWidth;
        while (breakAt > 0 && text[breakAt] != ' ')
            --breakAt;
        if (breakAt == 0) {
            // A run with no space to break at is cut at the line width.
            lines.emplace_back(text.substr(0, kReportLineWidth));
            text.remove_prefix(kReportLineWidth);
            continue;
        }
        lines.emplace_back(text.substr(0, breakAt));
        text.remove_prefix(breakAt + 1);
    }
    lines.emplace_back(text);
}

void AddReportText(std::string_view text, ReportLines& lines)
{
    for (auto feed = text.find('\n'); feed != std::string_view::npos; feed = text.find('\n')) {
        // The carriage return of a line break is dropped; a bare line feed keeps
        // the character before it.
        std::size_t end = feed;
        if (end > 0 && text[end - 1] == '\r')
            --end;
        AddReportLine(text.substr(0, end), lines);
        text.remove_prefix(feed + 1);
    }
    AddReportLine(text, lines);
}

void BuildEntryReport(const CBonsaiData* entry, ReportLines& lines, bool printAll)
{
    if (!entry)
        return;
    const CBonsaiData& e = *entry;
    const std::size_t start = lines.size();
    const std::size_t headerRule = talvane::collection::page(Page::NewEntry).reportRuleLength;
    rule("", headerRule, lines);
    reportFields(Page::NewEntry, e, lines);
    rule("", headerRule, lines);
    blank(lines);
    blank(lines);

    for (const Page page : {Page::Purchase, Page::Plant, Page::Species, Page::Transformation, Page::Maintenance,
                            Page::Album})
        section(page, e, lines);

    journalSection(e, lines);

    if (printAll)
        endOnAPageOfItsOwn(lines, start);
}
