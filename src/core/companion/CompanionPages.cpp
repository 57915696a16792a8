#include "companion/CompanionPages.h"

#include "collection/FieldCatalogue.h"
#include "companion/Html.h"
#include "companion/PhoneChange.h"
#include "companion/PhoneForms.h"
#include "journal/CareRepeat.h"
#include "journal/DueTasks.h"
#include "journal/Journal.h"
#include "search/EntryMatcher.h"
#include "search/ListColumns.h"
#include "text/Windows1252.h"
#include "timeline/TimelinePhoto.h"

#include <algorithm>

namespace talvane::companion {

namespace {

using namespace talvane::journal;
namespace fields = talvane::fields;

constexpr fields::Page kShownPages[] = {fields::Page::Plant, fields::Page::Purchase, fields::Page::Species,
                                        fields::Page::Transformation, fields::Page::Maintenance};

// A page's own text in its words, escaped; the values are HTML already.
std::string said(const PhoneWords& words, std::string_view english, const std::vector<std::string>& html = {})
{
    return fillPlaceholders(escapeHtml(say(words, english)), html);
}

// A text of the core's catalogues (Windows-1252) in the page's words, escaped: a
// field's label, a page's caption, a choice, a kind of care or of measurement.
std::string catalogueText(const PhoneWords& words, std::string_view cp1252)
{
    return escapeHtml(say(words, text::Cp1252ToUtf8(cp1252)));
}

std::string head(const PhoneWords& words, std::string_view title, std::string_view extra = {})
{
    // The language the words speak, as the page's lang attribute names it.
    return "<!DOCTYPE html>\n<html lang=\"" + said(words, PHONE_TEXT("en")) +
           "\"><head><meta charset=\"utf-8\">"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
           "<meta name=\"referrer\" content=\"no-referrer\">"
           "<title>" + std::string(title) + " \u2014 Talvane</title><link rel=\"stylesheet\" href=\"/style.css\">" +
           std::string(extra) + "</head><body>";
}

// A page of the paired phone: the title (already escaped) under the navigation.
std::string pageStart(const PhoneWords& words, std::string_view title, std::string_view current)
{
    std::string out = head(words, title) + "<nav>";
    for (const auto& [link, label] : {std::pair{"/trees", PHONE_TEXT("Trees")}, std::pair{"/due", PHONE_TEXT("Due")}})
        out += std::string("<a href=\"") + link + "\"" + (current == label ? " aria-current=\"page\"" : "") + ">" +
               said(words, label) + "</a>";
    return out + "</nav><main><h1>" + std::string(title) + "</h1>";
}

std::string pageEnd()
{
    return "</main></body></html>\n";
}

std::string formTokenField(const PageContext& context)
{
    return "<input type=\"hidden\" name=\"form\" value=\"" + escapeHtml(context.session.formToken) + "\">";
}

std::string hiddenFormFields(const PageContext& context)
{
    return formTokenField(context) + "<input type=\"hidden\" name=\"nonce\" value=\"" + escapeHtml(context.openForm()) + "\">";
}

std::string treeLink(const CollectionSnapshot& collection, std::size_t position)
{
    return "/tree/" + urlComponent(collection.treeRef(position));
}

std::optional<std::size_t> firstAlbumSlot(const CBonsaiData& entry)
{
    for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot)
        if (!entry[CBonsaiData::photoField(slot)].empty())
            return slot;
    return std::nullopt;
}

// The next step's due date (HTML) followed by how it repeats.
std::string thenRepeated(const PhoneWords& words, std::string due, const std::optional<CareRepeat>& repeat)
{
    return repeat ? said(words, PHONE_TEXT("%1, then %2"), {due, escapeHtml(repeatText(*repeat, words))}) : due;
}

std::string dueText(const PhoneWords& words, const CareEvent& event, CalendarDate today)
{
    const CalendarDate due = *event.due;
    const long days = today.daysUntil(due);
    // A date is never broken at its hyphens when the line wraps.
    const std::string date = "<time datetime=\"" + due.text() + "\">" + due.text() + "</time>";
    return thenRepeated(words,
                        days == 0 ? said(words, PHONE_TEXT("Due today"))
                                  : said(words, days < 0 ? PHONE_TEXT("Overdue since %1") : PHONE_TEXT("Due %1"), {date}),
                        event.repeat);
}

// UTF-8, not escaped.
std::string measurementsText(const PhoneWords& words, const std::vector<Measurement>& measurements)
{
    std::string out;
    for (const Measurement& measurement : measurements)
        out += (out.empty() ? "" : ", ") + say(words, measureName(measurement.kind)) + " " + measurement.text();
    return out;
}

std::string markDoneForm(const PageContext& context, std::size_t position, const NumberedEvent& task,
                         std::string_view back)
{
    return "<form method=\"post\" action=\"/done\" class=\"done\">" + hiddenFormFields(context) +
           "<input type=\"hidden\" name=\"tree\" value=\"" + escapeHtml(context.collection.treeRef(position)) +
           "\"><input type=\"hidden\" name=\"line\" value=\"" + std::to_string(task.line) +
           "\"><input type=\"hidden\" name=\"check\" value=\"" + taskCheck(task.event) +
           "\"><input type=\"hidden\" name=\"back\" value=\"" + std::string(back) + "\"><button type=\"submit\">" +
           said(context.words, PHONE_TEXT("Mark done")) + "</button></form>";
}

// "Momiji: Wiring, the lower branches" on the Due page, "Wiring: the lower branches"
// on the tree's own (UTF-8, not escaped).
std::string taskTitle(const PhoneWords& words, const CBonsaiData& entry, const CareEvent& event, bool namesTree)
{
    const std::string firstLine = text::Cp1252ToUtf8(firstLineOf(event));
    if (namesTree)
        return journal::taskTitle(text::Cp1252ToUtf8(entry[CBonsaiData::Name]), event.kind, firstLine, words);
    const std::string kind = say(words, careKindName(event.kind));
    return event.text.empty() ? kind : say(words, PHONE_TEXT("%1: %2"), {kind, firstLine});
}

std::string taskItem(const PageContext& context, std::size_t position, const NumberedEvent& task, std::string_view back,
                     bool namesTree)
{
    const CBonsaiData& entry = context.collection.at(position);
    const bool overdue = *task.event.due < context.today;
    const std::string title = escapeHtml(taskTitle(context.words, entry, task.event, namesTree));
    std::string out = std::string("<li class=\"task") + (overdue ? " overdue" : "") + "\">";
    out += namesTree ? "<a href=\"" + treeLink(context.collection, position) + "\">" + title + "</a>"
                     : "<span>" + title + "</span>";
    out += "<span class=\"when\">" + dueText(context.words, task.event, context.today) + "</span>";
    return out + markDoneForm(context, position, task, back) + "</li>";
}

// A field's value as the page shows it: a choice in the page's words, a typed text as it is.
std::string fieldValueText(const PhoneWords& words, const fields::FieldInfo& info, std::string_view stored)
{
    const std::string_view shown = info.shownText(stored);
    return info.choices.empty() || shown.empty() ? pageText(shown) : catalogueText(words, shown);
}

std::string fieldSections(const PhoneWords& words, const CBonsaiData& entry)
{
    std::string out;
    bool first = true;
    for (const fields::Page page : kShownPages) {
        std::string rows;
        for (const std::size_t index : fields::fieldsOf(page)) {
            const fields::FieldInfo& info = fields::field(index);
            const std::string_view stored = entry[index].view();
            if (info.label.empty() || stored.empty() || info.kind == fields::Kind::Spare)
                continue;
            rows += "<dt>" + catalogueText(words, info.label) + "</dt><dd>" + fieldValueText(words, info, stored) +
                    "</dd>";
        }
        if (rows.empty())
            continue;
        out += std::string("<details") + (first ? " open" : "") + "><summary>" +
               catalogueText(words, fields::page(page).caption) + "</summary><dl>" + rows + "</dl></details>";
        first = false;
    }
    return out;
}

std::string albumSection(const PhoneWords& words, const CollectionSnapshot& collection, std::size_t position)
{
    const CBonsaiData& entry = collection.at(position);
    std::string out;
    for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot) {
        if (entry[CBonsaiData::photoField(slot)].empty())
            continue;
        out += "<figure><img src=\"" + treeLink(collection, position) + "/album/" + std::to_string(slot) +
               "\" alt=\"" + pageText(entry[CBonsaiData::photoDescriptionField(slot)]) + "\"><figcaption>" +
               pageText(entry[CBonsaiData::photoDescriptionField(slot)]) + "</figcaption></figure>";
    }
    return out.empty() ? out
                       : "<h2>" + said(words, PHONE_TEXT("Album")) + "</h2><div class=\"photos\">" + out + "</div>";
}

std::string timelineSection(const PhoneWords& words, const CollectionSnapshot& collection, std::size_t position,
                            const Journal& journal)
{
    auto photos = timeline::timelinePhotos(journal);
    if (photos.empty())
        return {};
    std::string out = "<h2>" + said(words, PHONE_TEXT("Timeline")) + "</h2><div class=\"photos\">";
    for (auto it = photos.rbegin(); it != photos.rend(); ++it)
        out += "<figure><img loading=\"lazy\" src=\"" + treeLink(collection, position) + "/photo/" +
               std::to_string(it->line) + "\" alt=\"" + pageText(it->fileName) + "\"><figcaption>" +
               it->event.date.text() + " \u00B7 " + catalogueText(words, careKindName(it->event.kind)) +
               (it->event.text.empty() ? "" : " \u00B7 " + pageText(it->event.text)) + "</figcaption></figure>";
    return out + "</div>";
}

std::string journalHeading(const PhoneWords& words)
{
    return "<h2>" + said(words, PHONE_TEXT("Journal")) + "</h2>";
}

std::string journalSection(const PhoneWords& words, const Journal& journal)
{
    const auto events = journal.newestFirst();
    if (events.empty())
        return journalHeading(words) + "<p class=\"quiet\">" + said(words, PHONE_TEXT("No care recorded yet.")) +
               "</p>";
    std::string out = journalHeading(words) + "<ol class=\"journal\">";
    for (const NumberedEvent& numbered : events) {
        const CareEvent& event = numbered.event;
        out += "<li><span class=\"when\">" + event.date.text() + "</span> <strong>" +
               catalogueText(words, careKindName(event.kind)) + "</strong>";
        if (!event.text.empty())
            out += "<p>" + pageText(event.text) + "</p>";
        if (!event.measurements.empty())
            out += "<p class=\"quiet\">" + escapeHtml(measurementsText(words, event.measurements)) + "</p>";
        if (event.due)
            out += "<p class=\"quiet\">" +
                   thenRepeated(words, said(words, PHONE_TEXT("Next step due %1"), {event.due->text()}), event.repeat) +
                   "</p>";
        out += "</li>";
    }
    return out + "</ol>";
}

std::string measurementRows(const PhoneWords& words)
{
    std::string out;
    for (const MeasureKind kind : kMeasureKinds) {
        const std::string key(measureKey(kind));
        out += "<div class=\"measure\"><label for=\"amount-" + key + "\">" + catalogueText(words, measureName(kind)) +
               "</label><input id=\"amount-" + key + "\" name=\"amount-" + key +
               "\" inputmode=\"decimal\" maxlength=\"12\"><select name=\"unit-" + key + "\" aria-label=\"" +
               said(words, PHONE_TEXT("Unit")) + "\">";
        const LengthUnit preferred = kind == MeasureKind::Height || kind == MeasureKind::Canopy ? LengthUnit::Centimetre
                                                                                              : LengthUnit::Millimetre;
        for (const LengthUnit unit : kLengthUnits)
            out += "<option" + std::string(unit == preferred ? " selected" : "") + ">" + std::string(unitName(unit)) +
                   "</option>";
        out += "</select></div>";
    }
    return out;
}

// The kinds of care to choose from. The form sends a kind's English name whatever the
// page shows.
std::string careKindOptions(const PhoneWords& words)
{
    std::string out;
    for (const CareKind kind : kCareKinds) {
        const std::string_view english = careKindName(kind);
        const std::string shown = catalogueText(words, english);
        out += "<option" + std::string(kind == CareKind::Note ? " selected" : "") +
               (shown == english ? "" : " value=\"" + escapeHtml(english) + "\"") + ">" + shown + "</option>";
    }
    return out;
}

} // namespace

const std::string& stylesheet()
{
    // Large type and strong contrast, to be read in the sun with one hand.
    static const std::string kStyle = R"(
:root{color-scheme:light;--ink:#111;--paper:#fff;--leaf:#1d5e20;--line:#bbb;--warn:#a40000}
*{box-sizing:border-box}
body{margin:0;font:18px/1.45 system-ui,sans-serif;color:var(--ink);background:var(--paper)}
nav{display:flex;position:sticky;top:0;background:var(--leaf);z-index:1}
nav a{flex:1;padding:14px 0;text-align:center;color:#fff;font-weight:700;text-decoration:none}
nav a[aria-current]{background:#0b3a0d}
main{padding:12px 14px 40px;max-width:40em;margin:auto}
h1{font-size:1.5em;margin:.3em 0}
h2{font-size:1.2em;margin:1.2em 0 .4em;border-bottom:2px solid var(--leaf)}
a{color:var(--leaf)}
.quiet{color:#444;margin:.2em 0}
form.search{display:flex;gap:8px}
input,select,textarea,button{font:inherit;min-height:48px}
input,select,textarea{border:2px solid #555;border-radius:6px;padding:6px 8px;width:100%;background:#fff;color:var(--ink)}
textarea{min-height:6em}
button,.button{display:inline-block;background:var(--leaf);color:#fff;border:0;border-radius:6px;padding:10px 18px;font-weight:700;text-decoration:none;text-align:center}
form.search button{flex:none}
form.scan{display:flex;flex-wrap:wrap;gap:4px 8px;align-items:center;margin:8px 0}
form.scan label{flex:1 1 100%;font-size:90%}
form.scan input{flex:1 1 0;min-width:0}
form.scan button{flex:none}
ul.trees,ul.tasks,ol.journal{list-style:none;padding:0;margin:0}
ul.trees li{border-bottom:1px solid var(--line)}
ul.trees a{display:flex;gap:12px;align-items:center;padding:8px 0;text-decoration:none;color:var(--ink)}
ul.trees img,ul.trees .nophoto{width:64px;height:64px;object-fit:cover;border-radius:6px;background:#e4ece4;flex:none}
ul.trees strong{display:block}
.badge{background:var(--warn);color:#fff;border-radius:12px;padding:0 8px;font-size:.8em;margin-left:auto;white-space:nowrap;flex:none}
.pages{display:flex;justify-content:space-between;align-items:center;margin-top:12px}
li.task{border-bottom:1px solid var(--line);padding:10px 0;display:flex;flex-wrap:wrap;gap:6px 12px;align-items:center}
li.task>a,li.task>span:first-child{flex:1 1 100%}
li.task .when{flex:1 1 0;min-width:0}
time{white-space:nowrap}
li.task.overdue .when{color:var(--warn);font-weight:700}
form.done{margin-left:auto;flex:none}
ol.journal li{border-bottom:1px solid var(--line);padding:8px 0}
ol.journal p{margin:.2em 0;white-space:pre-line}
dl{display:grid;grid-template-columns:auto 1fr;gap:4px 12px;margin:8px 0}
dt{font-weight:700}
dd{margin:0;white-space:pre-line;overflow-wrap:anywhere}
details{border:1px solid var(--line);border-radius:6px;margin:8px 0;padding:4px 10px}
summary{font-weight:700;padding:8px 0}
.photos{display:grid;grid-template-columns:repeat(auto-fill,minmax(140px,1fr));gap:10px}
figure{margin:0}
figure img{width:100%;height:auto;border-radius:6px;background:#e4ece4}
figcaption{font-size:.85em;color:#333}
form.log label{display:block;font-weight:700;margin-top:12px}
.measure{display:grid;grid-template-columns:1fr 6em 5em;gap:8px;align-items:center;margin-top:6px}
.measure label{margin:0;font-weight:400}
.actions{margin:12px 0}
.message{border-left:6px solid var(--leaf);padding:6px 12px;background:#eef5ee}
)";
    return kStyle;
}

std::string treesPage(const PageContext& context, std::string_view query, std::size_t page)
{
    const CollectionSnapshot& collection = context.collection;
    const PhoneWords& words = context.words;
    const search::EntryMatcher matcher(text::Utf8ToCp1252(query));
    std::vector<std::size_t> shown;
    for (const std::size_t position : collection.byName())
        if (matcher.matchesEverything() || matcher.matches(collection.at(position)))
            shown.push_back(position);
    const std::size_t pageCount = std::max<std::size_t>(1, (shown.size() + kTreesPerPage - 1) / kTreesPerPage);
    page = std::min(page, pageCount - 1);

    std::string out = pageStart(words, said(words, PHONE_TEXT("Trees")), PHONE_TEXT("Trees"));
    out += "<form class=\"search\" method=\"get\" action=\"/trees\"><input type=\"search\" name=\"q\" value=\"" +
           escapeHtml(query) + "\" placeholder=\"" + said(words, PHONE_TEXT("Name, species or label code")) +
           "\" aria-label=\"" + said(words, PHONE_TEXT("Search")) + "\"><button type=\"submit\">" +
           said(words, PHONE_TEXT("Find")) + "</button></form>";
    // Phones open their camera for a file field that asks for one; other browsers
    // offer a photo from their files.
    out += "<form class=\"scan\" method=\"post\" action=\"/scan\" enctype=\"multipart/form-data\">" + formTokenField(context) +
           "<label for=\"label-photo\">" + said(words, PHONE_TEXT("Scan a label: take a photo of its QR code")) +
           "</label><input id=\"label-photo\" type=\"file\" name=\"label\" accept=\"image/*\" capture=\"environment\" "
           "required><button type=\"submit\">" + said(words, PHONE_TEXT("Open")) + "</button></form>";
    out += "<p class=\"quiet\">" + escapeHtml(search::listedTreesText(shown.size(), collection.size(), true, words)) + " \u00B7 " +
           pageText(collection.title()) + "</p><ul class=\"trees\">";
    const std::size_t first = page * kTreesPerPage;
    for (std::size_t i = first; i < std::min(shown.size(), first + kTreesPerPage); ++i) {
        const std::size_t position = shown[i];
        const CBonsaiData& entry = collection.at(position);
        const std::string link = treeLink(collection, position);
        out += "<li><a href=\"" + link + "\">";
        out += firstAlbumSlot(entry) ? "<img src=\"" + link + "/thumb\" alt=\"\" width=\"64\" height=\"64\">"
                                     : "<span class=\"nophoto\"></span>";
        out += "<span><strong>" + pageText(entry[CBonsaiData::Name]) + "</strong>" +
               pageText(entry[CBonsaiData::BotanicalName]) + "</span>";
        if (const std::size_t due = countDueTasks(entry, context.today, kDueWithinDays))
            out += "<span class=\"badge\">" + said(words, PHONE_TEXT("%1 due"), {std::to_string(due)}) + "</span>";
        out += "</a></li>";
    }
    out += "</ul>";
    if (pageCount > 1) {
        const std::string base = "/trees?q=" + urlComponent(query) + "&amp;page=";
        out += "<div class=\"pages\">";
        out += page > 0 ? "<a class=\"button\" href=\"" + base + std::to_string(page - 1) + "\">" +
                              said(words, PHONE_TEXT("Previous")) + "</a>"
                        : "<span></span>";
        out += "<span>" +
               said(words, PHONE_TEXT("Page %1 of %2"), {std::to_string(page + 1), std::to_string(pageCount)}) +
               "</span>";
        out += page + 1 < pageCount ? "<a class=\"button\" href=\"" + base + std::to_string(page + 1) + "\">" +
                                          said(words, PHONE_TEXT("Next")) + "</a>"
                                    : "<span></span>";
        out += "</div>";
    }
    return out + pageEnd();
}

std::optional<std::string> treePage(const PageContext& context, std::string_view ref)
{
    const auto position = context.collection.findTree(ref);
    if (!position)
        return std::nullopt;
    const PhoneWords& words = context.words;
    const CBonsaiData& entry = context.collection.at(*position);
    const Journal journal = Journal::read(entry[kJournalField]);

    std::string out = pageStart(words, pageText(entry[CBonsaiData::Name]), "");
    if (!entry[CBonsaiData::BotanicalName].empty())
        out += "<p class=\"quiet\"><em>" + pageText(entry[CBonsaiData::BotanicalName]) + "</em></p>";
    if (!journal.isForeign())
        out += "<div class=\"actions\"><a class=\"button\" href=\"" + treeLink(context.collection, *position) +
               "/log\">" + said(words, PHONE_TEXT("Log care")) + "</a></div>";

    std::string tasks;
    for (const NumberedEvent& event : journal.newestFirst())
        if (event.event.due)
            tasks += taskItem(context, *position, event, "tree", false);
    if (!tasks.empty())
        out += "<h2>" + said(words, PHONE_TEXT("Due")) + "</h2><ul class=\"tasks\">" + tasks + "</ul>";
    out += albumSection(words, context.collection, *position);
    out += timelineSection(words, context.collection, *position, journal);
    out += fieldSections(words, entry);
    out += journal.isForeign()
               ? journalHeading(words) + "<p class=\"quiet\">" +
                     said(words, PHONE_TEXT("This tree's journal was written by another program and is not shown.")) +
                     "</p>"
               : journalSection(words, journal);
    return out + pageEnd();
}

std::optional<std::string> logCarePage(const PageContext& context, std::string_view ref)
{
    const auto position = context.collection.findTree(ref);
    if (!position)
        return std::nullopt;
    const PhoneWords& words = context.words;
    const CBonsaiData& entry = context.collection.at(*position);
    std::string out = pageStart(words, said(words, PHONE_TEXT("Log care")), "");
    out += "<p><a href=\"" + treeLink(context.collection, *position) + "\">" + pageText(entry[CBonsaiData::Name]) +
           "</a></p>";
    out += "<form class=\"log\" method=\"post\" enctype=\"multipart/form-data\" action=\"" +
           treeLink(context.collection, *position) + "/log\">" + hiddenFormFields(context);
    out += "<label for=\"kind\">" + said(words, PHONE_TEXT("Kind")) + "</label><select id=\"kind\" name=\"kind\">" +
           careKindOptions(words);
    out += "</select><label for=\"text\">" + said(words, PHONE_TEXT("Text")) +
           "</label><textarea id=\"text\" name=\"text\" maxlength=\"" + std::to_string(kMaxEventText) + "\"></textarea>";
    out += "<label for=\"due\">" + said(words, PHONE_TEXT("Next step due (optional)")) +
           "</label><input id=\"due\" name=\"due\" type=\"date\" min=\"" + context.today.text() + "\">";
    out += "<label>" + said(words, PHONE_TEXT("Measurements (optional)")) + "</label>" + measurementRows(words);
    // A camera input opens the camera straight away on most phones, and offers no
    // gallery: both are given.
    out += "<label for=\"camera\">" + said(words, PHONE_TEXT("Take a photo (optional)")) +
           "</label><input id=\"camera\" name=\"photos\" type=\"file\" accept=\"image/*\" capture=\"environment\">";
    out += "<label for=\"photos\">" + said(words, PHONE_TEXT("Or choose photos")) +
           "</label><input id=\"photos\" name=\"photos\" type=\"file\" accept=\"image/*\" multiple>";
    out += "<div class=\"actions\"><button type=\"submit\">" + said(words, PHONE_TEXT("Save")) +
           "</button></div></form>";
    return out + pageEnd();
}

std::string duePage(const PageContext& context, std::string_view host)
{
    const PhoneWords& words = context.words;
    const EntryList& entries = context.collection.entries();
    const auto tasks = dueTasks(entries, context.today, kDueWithinDays);
    std::string out = pageStart(words, said(words, PHONE_TEXT("Due")), PHONE_TEXT("Due"));
    out += "<p class=\"quiet\">" + escapeHtml(dueSummary(tasks.size(), kDueWithinDays, words)) + "</p>";
    if (!tasks.empty()) {
        out += "<ul class=\"tasks\">";
        for (const DueTask& task : tasks)
            out += taskItem(context, task.entry, NumberedEvent{task.line, task.event}, "due", true);
        out += "</ul>";
    }
    out += "<h2>" + said(words, PHONE_TEXT("Calendar")) + "</h2><p>" +
           said(words, PHONE_TEXT("A calendar that subscribes stays up to date while the collection is shared.")) +
           "</p><p><a class=\"button\" href=\"webcal://" + escapeHtml(host) + "/calendar.ics?key=" +
           urlComponent(context.session.calendarKey) + "\">" +
           said(words, PHONE_TEXT("Subscribe to the care calendar")) + "</a></p>";
    return out + pageEnd();
}

std::string messagePage(const PhoneWords& words, std::string_view title, std::string_view text,
                        std::string_view backLink, std::string_view backLabel)
{
    return pageStart(words, escapeHtml(title), "") + "<p class=\"message\">" + escapeHtml(text) +
           "</p><p><a class=\"button\" href=\"" + escapeHtml(backLink) + "\">" + escapeHtml(backLabel) + "</a></p>" +
           pageEnd();
}

std::string pairedPage(const PhoneWords& words)
{
    const std::string paired = said(words, PHONE_TEXT("Paired"));
    return head(words, paired, "<meta http-equiv=\"refresh\" content=\"0; url=/trees\">") + "<main><h1>" + paired +
           "</h1><p>" + said(words, PHONE_TEXT("This phone is paired with the collection.")) +
           "</p><p><a class=\"button\" href=\"/trees\">" + said(words, PHONE_TEXT("Open the trees")) +
           "</a></p></main></body></html>\n";
}

} // namespace talvane::companion
