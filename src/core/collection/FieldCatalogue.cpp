#include "core/collection/FieldCatalogue.h"

#include "core/collection/BonsaiData.h"
#include "core/text/Words.h"

#include <algorithm>
#include <array>
#include <vector>

namespace talvane::collection {
namespace {

using F = CBonsaiData;
using enum Kind;
constexpr ReportForm RLine = ReportForm::Line;
constexpr ReportForm RParagraph = ReportForm::Paragraph;
constexpr ReportForm RSpaced = ReportForm::SpacedParagraph;
constexpr ReportForm RPhotoPair = ReportForm::PhotoPair;

constexpr Choice kInteriorExterior[] = {
    {"0", SHOWN_TEXT("Interior"), "Interior plant"},
    {"1", SHOWN_TEXT("Exterior"), "Exterior plant"},
};

constexpr std::string_view kSources[] = {
    SHOWN_TEXT("Seeds"),    SHOWN_TEXT("Cuttings"), SHOWN_TEXT("Layering"),
    SHOWN_TEXT("Grafting"), SHOWN_TEXT("Nursery"),  SHOWN_TEXT("Collected from the wild"),
};

constexpr std::string_view kStyles[] = {
    SHOWN_TEXT("Formal upright (Chokkan)"), SHOWN_TEXT("Informal upright (Moyogi)"), SHOWN_TEXT("Slanting (Shakan)"),
    SHOWN_TEXT("Semi-Cascade (Han-Kengai)"), SHOWN_TEXT("Cascade (Kengai)"), SHOWN_TEXT("Twin trunk (Sokan)"),
    SHOWN_TEXT("Triple (Sankan)"), SHOWN_TEXT("Multiple (Kabudachi)"), SHOWN_TEXT("Raft (Ikada)"),
    SHOWN_TEXT("Group planting (Yose-ue)"), SHOWN_TEXT("Broom (Hokidachi)"),
};

// Every field that is more than stored, in index order. Limits, labels and controls
// are those of the pages and dialogs; report labels line up on their colons.
constexpr FieldInfo kDescribed[] = {
    // index, name, kind, page, control, label, limit, report form, order, report label
    {F::Name, "Name", Line, Page::NewEntry, 1035, SHOWN_TEXT("Name or ID number"), 50, RLine, 1, " Name or ID number: %s"},
    {F::BotanicalName, "BotanicalName", Line, Page::Plant, 1023, SHOWN_TEXT("Botanical name"), 0, RLine, 1, "Botanical name: %s"},
    {F::FrenchName, "FrenchName", Line, Page::Plant, 1026, SHOWN_TEXT("French name"), 0, RLine, 3, "   French name: %s"},
    {F::EnglishName, "EnglishName", Line, Page::Plant, 1029, SHOWN_TEXT("English name"), 0, RLine, 2, "  English name: %s"},
    {F::CommonName, "CommonName", Line, Page::Plant, 1028, SHOWN_TEXT("Common name"), 0, RLine, 4, "   Common name: %s"},
    {F::Type, "Type", Line, Page::Plant, 1020, SHOWN_TEXT("Subspecies"), 0, RLine, 6, "          Type: %s"},
    {F::Species, "Species", Line, Page::Plant, 1021, SHOWN_TEXT("Species"), 0, RLine, 5, "       Species: %s"},
    {F::Cultivar, "Cultivar", Line, Page::Plant, 1022, SHOWN_TEXT("Cultivar"), 0, RLine, 7, "      Cultivar: %s"},
    {F::PlantNotes, "PlantNotes", MultiLine, Page::Plant, 1027, SHOWN_TEXT("Notes"), 0, RParagraph, 9, "Notes:"},
    {F::IntExt, "IntExt", Radio, Page::Plant, 1056, SHOWN_TEXT("Plant"), 0, RLine, 8, "    Int./Ext.: %s", kInteriorExterior, "n.d."},
    {F::PurchaseAge, "PurchaseAge", Line, Page::Purchase, 1011, SHOWN_TEXT("Age"), 30, RLine, 2, "         Age: %s"},
    {F::PurchaseDate, "PurchaseDate", Line, Page::Purchase, 1007, SHOWN_TEXT("Date"), 30, RLine, 1, "        Date: %s"},
    {F::PurchaseTrunkDiameter, "PurchaseTrunkDiameter", Line, Page::Purchase, 1008, SHOWN_TEXT("Trunk diam."), 30, RLine, 6, " Trunk diam.: %s"},
    {F::PurchaseStyle, "PurchaseStyle", EditableList, Page::Purchase, 1012, SHOWN_TEXT("Style"), 30, RLine, 5, "       Style: %s", {}, {}, kStyles},
    {F::PurchaseTrunkHeight, "PurchaseTrunkHeight", Line, Page::Purchase, 1010, SHOWN_TEXT("Trunk height"), 30, RLine, 7, "Trunk height: %s"},
    {F::Source, "Source", EditableList, Page::Purchase, 1006, SHOWN_TEXT("Source"), 30, RLine, 4, "      Source: %s", {}, {}, kSources},
    {F::PricePaid, "PricePaid", Line, Page::Purchase, 1009, SHOWN_TEXT("Price"), 30, RLine, 3, "  Price paid: %s"},
    {F::ShapingAge, "ShapingAge", Line, Page::Transformation, 1015, SHOWN_TEXT("Age"), 30, RLine, 2, "         Age: %s"},
    {F::ShapingDate, "ShapingDate", Line, Page::Transformation, 1014, SHOWN_TEXT("Date"), 30, RLine, 1, "        Date: %s"},
    {F::ShapingTrunkDiameter, "ShapingTrunkDiameter", Line, Page::Transformation, 1017, SHOWN_TEXT("Trunk diam."), 0, RLine, 4, " Trunk diam.: %s"},
    {F::ShapingStyle, "ShapingStyle", EditableList, Page::Transformation, 1016, SHOWN_TEXT("Style"), 30, RLine, 3, "       Style: %s", {}, {}, kStyles},
    {F::ShapingTrunkHeight, "ShapingTrunkHeight", Line, Page::Transformation, 1018, SHOWN_TEXT("Trunk height"), 30, RLine, 5, "Trunk height: %s"},
    {F::History, "History", MultiLine, Page::Transformation, 1019, SHOWN_TEXT("History"), 0, RParagraph, 6, "     History:"},
    {F::Defoliation, "Defoliation", Line, Page::Maintenance, 1028, SHOWN_TEXT("Leaf pruning"), 0, RLine, 5, "  Defoliation: %s"},
    {F::Fertilization, "Fertilization", Line, Page::Maintenance, 1026, SHOWN_TEXT("Fertilizing"), 0, RLine, 2, "Fertilization: %s"},
    {F::Insecticide, "Insecticide", Line, Page::Maintenance, 1030, SHOWN_TEXT("Insecticide"), 0, RLine, 4, "  Insecticide: %s"},
    {F::Pinching, "Pinching", Line, Page::Maintenance, 1029, SHOWN_TEXT("Pinching"), 0, RLine, 6, "     Pinching: %s"},
    {F::Repotting, "Repotting", Line, Page::Maintenance, 1025, SHOWN_TEXT("Repotting"), 0, RLine, 1, "     Repoting: %s"},
    {F::Pruning, "Pruning", Line, Page::Maintenance, 1027, SHOWN_TEXT("Pruning"), 0, RLine, 3, "      Pruning: %s"},
    {F::MaintenanceNotes, "MaintenanceNotes", MultiLine, Page::Maintenance, 1055, SHOWN_TEXT("Notes"), 0, RParagraph, 7, "Notes:"},
    {F::ToDo, "ToDo", MultiLine, Page::Maintenance, 1056, SHOWN_TEXT("To do"), 0, RParagraph, 8, "To do:"},
    {F::NeedWatering, "NeedWatering", MultiLine, Page::Species, 1024, SHOWN_TEXT("Watering"), 0, RSpaced, 5, "Watering:"},
    {F::NeedPosition, "NeedPosition", MultiLine, Page::Species, 1028, SHOWN_TEXT("Position and light"), 0, RSpaced, 4, "Position:"},
    {F::NeedFertilization, "NeedFertilization", MultiLine, Page::Species, 1025, SHOWN_TEXT("Fertilizing"), 0, RSpaced, 6, "Fertilization:"},
    {F::NeedWintering, "NeedWintering", Line, Page::Species, 1027, SHOWN_TEXT("Wintering and dormancy"), 0, RSpaced, 7, "Wintering and dormancy:"},
    {F::MinTemperature, "MinTemperature", MultiLine, Page::Species, 1032, SHOWN_TEXT("Min. temp."), 0, RLine, 2, "   Min. temp.: %s"},
    {F::PH, "PH", MultiLine, Page::Species, 1030, SHOWN_TEXT("pH"), 0, RLine, 3, "           pH: %s"},
    {F::NeedRepotting, "NeedRepotting", MultiLine, Page::Species, 1026, SHOWN_TEXT("Repotting"), 0, RSpaced, 8, "Repotting:"},
    {F::RustZone, "RustZone", MultiLine, Page::Species, 1031, SHOWN_TEXT("Rust zone/\nCulture code"), 0, RLine, 1, "    Rust zone: %s"},
    {F::NeedSoil, "NeedSoil", MultiLine, Page::Species, 1029, SHOWN_TEXT("Soil"), 0, RSpaced, 9, "Soil:"},
    {F::NeedWiring, "NeedWiring", MultiLine, Page::Species, 1033, SHOWN_TEXT("Wiring"), 0, RSpaced, 10, "Wiring:"},
    {F::NeedPruning, "NeedPruning", MultiLine, Page::Species, 1034, SHOWN_TEXT("Trimming and Pruning"), 0, RSpaced, 11, "Pruning:"},
    {F::Photo1, "Photo1", PhotoName, Page::Album},
    {F::Photo2, "Photo2", PhotoName, Page::Album},
    {F::Photo3, "Photo3", PhotoName, Page::Album},
    {F::Photo4, "Photo4", PhotoName, Page::Album},
    {F::Photo5, "Photo5", PhotoName, Page::Album},
    {F::Photo1Description, "Photo1Description", PhotoDescription, Page::Album, 0, SHOWN_TEXT("Description (Date, age, ...)"), 30, RPhotoPair, 1, "Description: %s [File %s]"},
    {F::Photo2Description, "Photo2Description", PhotoDescription, Page::Album, 0, SHOWN_TEXT("Description (Date, age, ...)"), 30, RPhotoPair, 2, "Description: %s [File %s]"},
    {F::Photo3Description, "Photo3Description", PhotoDescription, Page::Album, 0, SHOWN_TEXT("Description (Date, age, ...)"), 30, RPhotoPair, 3, "Description: %s [File %s]"},
    {F::Photo4Description, "Photo4Description", PhotoDescription, Page::Album, 0, SHOWN_TEXT("Description (Date, age, ...)"), 30, RPhotoPair, 4, "Description: %s [File %s]"},
    {F::Photo5Description, "Photo5Description", PhotoDescription, Page::Album, 0, SHOWN_TEXT("Description (Date, age, ...)"), 30, RPhotoPair, 5, "Description: %s [File %s]"},
    // The garden's fields and the journal have no names of their own: tables and dumps
    // list them with the spare fields, as earlier versions, which carry them along, do.
    {kWatchField, "", Watch, Page::Garden},
    {kPlaceField, "", Place, Page::Garden},
    {kJournalField, "", Journal, Page::Journal},
};

constexpr PageInfo kPages[] = {
    {Page::None, "", 0}, // a rule length of 0: not a section of the report
    {Page::NewEntry, SHOWN_TEXT("New entry"), 65},
    {Page::Plant, SHOWN_TEXT("The plant"), 65},
    {Page::Purchase, SHOWN_TEXT("Purchase"), 61},
    {Page::Species, SHOWN_TEXT("Species specifics"), 63},
    {Page::Transformation, SHOWN_TEXT("Transformation"), 55},
    {Page::Maintenance, SHOWN_TEXT("Maintenance"), 54},
    {Page::Album, SHOWN_TEXT("Photo album"), 63},
    {Page::Journal, SHOWN_TEXT("Journal"), 0},
    {Page::Garden, SHOWN_TEXT("Garden"), 0},
};

constexpr bool describedInIndexOrder()
{
    for (std::size_t i = 1; i < std::size(kDescribed); ++i) {
        if (kDescribed[i - 1].index >= kDescribed[i].index || kDescribed[i].index >= kFieldCount)
            return false;
    }
    return true;
}
static_assert(describedInIndexOrder());
static_assert(F::kFieldCount == kFieldCount);

constexpr bool pagesInOrder()
{
    for (std::size_t i = 0; i < std::size(kPages); ++i) {
        if (static_cast<std::size_t>(kPages[i].page) != i)
            return false;
    }
    return true;
}
static_assert(pagesInOrder());

using Table = std::array<FieldInfo, kFieldCount>;

const Table& theTable()
{
    static const Table table = [] {
        Table made{};
        for (std::size_t i = 0; i < kFieldCount; ++i)
            made[i] = FieldInfo{i, "", Spare, Page::None};
        for (const FieldInfo& described : kDescribed)
            made[described.index] = described;
        return made;
    }();
    return table;
}

struct PageLists {
    std::array<std::vector<std::size_t>, std::size(kPages)> byPage;
    std::vector<std::size_t> tabs;
};

const PageLists& thePageLists()
{
    static const PageLists lists = [] {
        PageLists made;
        for (const FieldInfo& info : theTable()) {
            made.byPage[static_cast<std::size_t>(info.page)].push_back(info.index);
            if (info.page != Page::None && info.page != Page::NewEntry)
                made.tabs.push_back(info.index);
        }
        return made;
    }();
    return lists;
}

} // namespace

std::string_view FieldInfo::shownText(std::string_view stored) const
{
    if (choices.empty())
        return stored;
    const auto choice = std::find_if(choices.begin(), choices.end(), [&](const Choice& c) { return c.stored == stored; });
    return choice == choices.end() ? std::string_view() : choice->shown;
}

std::string_view FieldInfo::reportedText(std::string_view stored) const
{
    if (choices.empty())
        return stored;
    const auto choice = std::find_if(choices.begin(), choices.end(), [&](const Choice& c) { return c.stored == stored; });
    return choice == choices.end() ? reportedOtherwise : choice->reported;
}

std::span<const FieldInfo> allFields()
{
    return theTable();
}

const FieldInfo& field(std::size_t index)
{
    return theTable().at(index);
}

const FieldInfo* fieldOnPage(Page page, int control)
{
    for (const std::size_t index : fieldsOf(page)) {
        if (theTable()[index].control == control)
            return &theTable()[index];
    }
    return nullptr;
}

std::span<const std::size_t> fieldsOf(Page page)
{
    return thePageLists().byPage.at(static_cast<std::size_t>(page));
}

std::span<const std::size_t> pageFields()
{
    return thePageLists().tabs;
}

const PageInfo& page(Page which)
{
    return kPages[static_cast<std::size_t>(which)];
}

} // namespace talvane::collection
