#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// The one description of the 115 fields of an entry: what each is called, where it
// is shown and under which label, what kind of control edits it, how much can be
// typed into it, how the report prints it and how its stored text reads for a person.
// Everything that lists fields (pages, report, CSV, dump, search, the collection list)
// asks here, so that a field is described in one place.
namespace talvane::collection {

// Where a field is edited: the New entry dialog, one of the tabs, or nowhere.
enum class Page : std::uint8_t { None, NewEntry, Plant, Purchase, Species, Transformation, Maintenance, Album, Journal, Garden };

enum class Kind : std::uint8_t {
    Line,             // a one-line text box
    MultiLine,        // a text box of several lines
    EditableList,     // a drop-down list whose edit field takes any text
    Radio,            // a group of buttons, stored as the decimal index of the one checked
    PhotoName,        // the bare file name of an album picture
    PhotoDescription, // the description of the album picture of the same slot
    Journal,          // the care journal
    Place,            // where the tree stands in the garden
    Watch,            // the tree's temperature limits and wire watch
    Spare,            // only stored and carried along
};

// How the report prints a field.
enum class ReportForm : std::uint8_t {
    None,
    Line,            // the label with its value in place of "%s"
    Paragraph,       // the label on a line of its own, then the text's lines
    SpacedParagraph, // a blank line, then as Paragraph
    PhotoPair,       // the label with the description and then the file name of its slot
};

// A stored value that reads as something else: the radio index "0" is "Interior".
struct Choice {
    std::string_view stored;
    std::string_view shown;    // on the page and in lists
    std::string_view reported; // in the report
};

struct FieldInfo {
    std::size_t index = 0;
    std::string_view name{};          // "PricePaid"; empty for a spare field
    Kind kind = Kind::Spare;
    Page page = Page::None;
    int control = 0;                  // the control that shows it on its page; 0 for none
    std::string_view label{};         // the label of that control, as the page shows it
    std::size_t typingLimit = 0;      // characters that can be typed; 0 for no limit
    ReportForm reportForm = ReportForm::None;
    int reportOrder = 0;              // position among the report lines of its page
    std::string_view reportLabel{};   // "  Price paid: %s"
    std::span<const Choice> choices{};
    // What a value reads as when no choice holds it ("n.d." in the report of IntExt).
    std::string_view reportedOtherwise{};
    // The items an editable list offers, in the order they are given.
    std::span<const std::string_view> listItems{};

    bool isSpare() const { return name.empty(); }
    // The text a person reads for a stored value: a choice's, or the value itself.
    std::string_view shownText(std::string_view stored) const;
    std::string_view reportedText(std::string_view stored) const;
};

inline constexpr std::size_t kFieldCount = 115;

// The spare fields of an entry that hold its temperature limits and wire watch, its
// place in the garden, and its journal.
inline constexpr std::size_t kWatchField = 111;
inline constexpr std::size_t kPlaceField = 112;
inline constexpr std::size_t kJournalField = 114;

// The 115 fields, in index order.
std::span<const FieldInfo> allFields();
const FieldInfo& field(std::size_t index);
// The field a page's control shows, or null.
const FieldInfo* fieldOnPage(Page page, int control);
// The fields of one page, in index order.
std::span<const std::size_t> fieldsOf(Page page);
// Every field shown on the tabs, in index order: what an edit on the pages can change.
std::span<const std::size_t> pageFields();

// A tab: its caption, and the length of its rule in the report.
struct PageInfo {
    Page page;
    std::string_view caption;
    std::size_t reportRuleLength;
};
const PageInfo& page(Page which);

} // namespace talvane::collection
