#include "report/EntryReport.h"

#include "collection/BonsaiData.h"
#include "journal/Journal.h"

#include <initializer_list>


namespace {

using F = CBonsaiData;

// A label whose "%s" marks take the values in turn. Values are copied as they are: a
// percent sign in a value is never read as a format.
std::string Labelled(std::string_view label, std::initializer_list<std::string_view> values)
{
    std::string line;
    for (std::string_view value : values) {
        const auto at = label.find("%s");
        line.append(label.substr(0, at)).append(value);
        label.remove_prefix(at + 2);
    }
    return line.append(label);
}

void Rule(std::string_view title, std::size_t length, ReportLines& lines)
{
    std::string rule(title);
    rule.resize(length, '-');
    AddReportLine(rule, lines);
}

void Blank(ReportLines& lines)
{
    AddReportLine(" ", lines);
}

void Field(std::string_view label, const CBonsaiData& entry, std::size_t field, ReportLines& lines)
{
    AddReportLine(Labelled(label, {entry[field]}), lines);
}

struct LabelledField {
    std::string_view label;
    std::size_t field;
};

// Short fields, one line each: a label lined up on its colon, then the value.
void Fields(const CBonsaiData& entry, std::initializer_list<LabelledField> fields, ReportLines& lines)
{
    for (const auto& [label, field] : fields)
        Field(label, entry, field, lines);
}

void Text(std::string_view heading, const CBonsaiData& entry, std::size_t field, ReportLines& lines)
{
    AddReportLine(heading, lines);
    AddReportText(entry[field], lines);
}

std::string_view InteriorExterior(const std::string& value)
{
    if (value == "0")
        return "    Int./Ext.: Interior plant";
    if (value == "1")
        return "    Int./Ext.: Exterior plant";
    return "    Int./Ext.: n.d.";
}

// "2026-04-12 Wiring, due 2026-09-01 [File maple2.bmp]: text", the text's own lines
// following as report lines.
std::string JournalEventLine(const talvane::journal::CareEvent& event)
{
    std::string line = event.date.text() + " " + std::string(talvane::journal::careKindName(event.kind));
    if (event.due)
        line += ", due " + event.due->text();
    if (!event.picture.empty())
        line += " [File " + event.picture + "]";
    line += ":";
    if (!event.text.empty())
        line += " " + event.text;
    return line;
}

// The tree's journal, newest first. A tree without events, or whose field holds
// something else than a journal, adds nothing, so its report stays as it always was.
void JournalSection(const CBonsaiData& entry, ReportLines& lines)
{
    const std::string_view field = entry[talvane::journal::kJournalField];
    if (field.empty())
        return;
    const auto events = talvane::journal::Journal::read(field).newestFirst();
    if (events.empty())
        return;
    Rule("-- Care journal ", 63, lines);
    for (const auto& numbered : events)
        AddReportText(JournalEventLine(numbered.event), lines);
    Blank(lines);
    Blank(lines);
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
    Rule("", 65, lines);
    Field(" Name or ID number: %s", e, F::Name, lines);
    Rule("", 65, lines);
    Blank(lines);
    Blank(lines);

    Rule("-- Purchase ", 61, lines);
    Fields(e,
           {
               {"        Date: %s", F::PurchaseDate},
               {"         Age: %s", F::PurchaseAge},
               {"  Price paid: %s", F::PricePaid},
               {"      Source: %s", F::Source},
               {"       Style: %s", F::PurchaseStyle},
               {" Trunk diam.: %s", F::PurchaseTrunkDiameter},
               {"Trunk height: %s", F::PurchaseTrunkHeight},
           },
           lines);
    Blank(lines);
    Blank(lines);

    Rule("-- The plant ", 65, lines);
    Fields(e,
           {
               {"Botanical name: %s", F::BotanicalName},
               {"  English name: %s", F::EnglishName},
               {"   French name: %s", F::FrenchName},
               {"   Common name: %s", F::CommonName},
               {"       Species: %s", F::Species},
               {"          Type: %s", F::Type},
               {"      Cultivar: %s", F::Cultivar},
           },
           lines);
    AddReportLine(InteriorExterior(e[F::IntExt]), lines);
    Text("Notes:", e, F::PlantNotes, lines);
    Blank(lines);
    Blank(lines);

    Rule("-- Species specifics ", 63, lines);
    Fields(e,
           {
               {"    Rust zone: %s", F::RustZone},
               {"   Min. temp.: %s", F::MinTemperature},
               {"           pH: %s", F::PH},
           },
           lines);
    const std::pair<std::string_view, std::size_t> needs[] = {
        {"Position:", F::NeedPosition},   {"Watering:", F::NeedWatering},
        {"Fertilization:", F::NeedFertilization}, {"Wintering and dormancy:", F::NeedWintering},
        {"Repotting:", F::NeedRepotting}, {"Soil:", F::NeedSoil},
        {"Wiring:", F::NeedWiring},       {"Pruning:", F::NeedPruning},
    };
    for (const auto& [heading, field] : needs) {
        Blank(lines);
        Text(heading, e, field, lines);
    }
    Blank(lines);
    Blank(lines);

    Rule("-- Transformation ", 55, lines);
    Fields(e,
           {
               {"        Date: %s", F::ShapingDate},
               {"         Age: %s", F::ShapingAge},
               {"       Style: %s", F::ShapingStyle},
               {" Trunk diam.: %s", F::ShapingTrunkDiameter},
               {"Trunk height: %s", F::ShapingTrunkHeight},
           },
           lines);
    Text("     History:", e, F::History, lines);
    Blank(lines);
    Blank(lines);

    Rule("-- Maintenance ", 54, lines);
    Fields(e,
           {
               {"     Repoting: %s", F::Repotting},
               {"Fertilization: %s", F::Fertilization},
               {"      Pruning: %s", F::Pruning},
               {"  Insecticide: %s", F::Insecticide},
               {"  Defoliation: %s", F::Defoliation},
               {"     Pinching: %s", F::Pinching},
           },
           lines);
    Text("Notes:", e, F::MaintenanceNotes, lines);
    Text("To do:", e, F::ToDo, lines);
    Blank(lines);
    Blank(lines);

    Rule("-- Photo album ", 63, lines);
    for (std::size_t k = 0; k < CBonsaiData::kPhotoSlots; ++k)
        AddReportLine(Labelled("Description: %s [File %s]", {e[F::PhotoDescriptionField(k)], e[F::PhotoField(k)]}), lines);
    Blank(lines);
    Blank(lines);

    JournalSection(e, lines);

    if (printAll) {
        while (lines.size() % kReportPageLines != 0)
            Blank(lines);
    }
}

std::size_t ReportPageCount(std::size_t lineCount)
{
    return lineCount == 0 ? 1 : (lineCount + kReportPageLines - 1) / kReportPageLines;
}
