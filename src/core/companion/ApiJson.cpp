#include "core/companion/ApiJson.h"

#include "core/collection/FieldCatalogue.h"
#include "core/companion/PhoneChange.h"
#include "core/companion/PhoneForms.h"
#include "core/companion/WebFiles.h"
#include "core/garden/GardenAlerts.h"
#include "core/garden/GardenSettings.h"
#include "core/garden/Place.h"
#include "core/journal/CareRepeat.h"
#include "core/journal/DueTasks.h"
#include "core/journal/Journal.h"
#include "core/search/EntryMatcher.h"
#include "core/search/ListColumns.h"
#include "core/text/Windows1252.h"
#include "core/timeline/PhotoDate.h"
#include "core/timeline/TimelinePhoto.h"
#include "core/search/CollectionPlaces.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>

namespace talvane::companion {

namespace {

using namespace talvane::journal;
using nlohmann::json;
constexpr int kThumbnailSide = 128;

constexpr collection::Page kShownPages[] = {collection::Page::Plant, collection::Page::Purchase, collection::Page::Species,
                                        collection::Page::Transformation, collection::Page::Maintenance};

std::string utf8(std::string_view cp1252)
{
    return text::cp1252ToUtf8(cp1252);
}

// A text of the core's catalogues (Windows-1252) in the server's words.
std::string catalogueText(const PhoneWords& words, std::string_view cp1252)
{
    return say(words, utf8(cp1252));
}

json pictureJson(std::string_view cp1252Name)
{
    return {{"name", utf8(cp1252Name)}, {"url", photoAddress(cp1252Name)}};
}

// The amount as a number, whatever the locale: a kept amount is digits and a point.
double amountOf(const Measurement& measurement)
{
    double amount = 0;
    std::from_chars(measurement.amount.data(), measurement.amount.data() + measurement.amount.size(), amount);
    return amount;
}

json measurementsJson(const PhoneWords& words, const std::vector<Measurement>& measurements)
{
    json out = json::array();
    for (const Measurement& measurement : measurements)
        out.push_back({{"kind", measureKey(measurement.kind)},
                       {"label", say(words, measureName(measurement.kind))},
                       {"amount", amountOf(measurement)},
                       {"unit", unitName(measurement.unit)},
                       {"text", measurement.text()}});
    return out;
}

std::size_t photoCount(const CBonsaiData& entry)
{
    std::size_t count = timeline::timelinePhotoCount(entry[kJournalField].view());
    for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot)
        count += entry[CBonsaiData::photoField(slot)].empty() ? 0 : 1;
    return count;
}

std::optional<std::string> firstAlbumPicture(const CBonsaiData& entry)
{
    for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot)
        if (!entry[CBonsaiData::photoField(slot)].empty())
            return std::string(entry[CBonsaiData::photoField(slot)]);
    return std::nullopt;
}

json treeSummaryJson(const ApiView& view, std::size_t position)
{
    const CBonsaiData& entry = view.collection.at(position);
    const auto thumbnail = firstAlbumPicture(entry);
    return {{"id", view.collection.treeRef(position)},
            {"name", utf8(entry[CBonsaiData::Name].view())},
            {"botanicalName", utf8(entry[CBonsaiData::BotanicalName].view())},
            {"due", countDueTasks(entry, view.today, kDueWithinDays)},
            {"photos", photoCount(entry)},
            {"thumbnail", thumbnail ? json(photoAddress(*thumbnail, kThumbnailSide)) : json(nullptr)}};
}

// A field's value as shown: a choice in the server's words, a typed text as it is.
std::string shownValue(const PhoneWords& words, const collection::FieldInfo& info, std::string_view stored)
{
    const std::string_view shown = info.shownText(stored);
    return info.choices.empty() || shown.empty() ? utf8(shown) : catalogueText(words, shown);
}

json sectionsJson(const PhoneWords& words, const CBonsaiData& entry)
{
    json sections = json::array();
    for (const collection::Page page : kShownPages) {
        json shown = json::array();
        for (const std::size_t index : collection::fieldsOf(page)) {
            const collection::FieldInfo& info = collection::field(index);
            const std::string_view stored = entry[index].view();
            if (info.label.empty() || stored.empty() || info.kind == collection::Kind::Spare)
                continue;
            shown.push_back({{"label", catalogueText(words, info.label)}, {"value", shownValue(words, info, stored)}});
        }
        if (!shown.empty())
            sections.push_back({{"caption", catalogueText(words, collection::page(page).caption)}, {"fields", shown}});
    }
    return sections;
}

json albumJson(const CBonsaiData& entry)
{
    json album = json::array();
    for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot) {
        const std::string_view name = entry[CBonsaiData::photoField(slot)].view();
        if (name.empty())
            continue;
        json picture = pictureJson(name);
        picture["description"] = utf8(entry[CBonsaiData::photoDescriptionField(slot)].view());
        album.push_back(std::move(picture));
    }
    return album;
}

// The day the camera says an original of the photo folder was taken, which may not be
// its event's; album bitmaps say none.
json takenJson(const timeline::TimelinePhoto& photo, const std::filesystem::path& photosFolder)
{
    if (!photo.inPhotosFolder)
        return nullptr;
    const auto taken = timeline::photoDateTaken(photo.path(photosFolder, {}));
    return taken ? json(taken->text()) : json(nullptr);
}

json timelineJson(const PhoneWords& words, const Journal& journal, const std::filesystem::path& photosFolder)
{
    json shown = json::array();
    const auto photos = timeline::timelinePhotos(journal);
    for (auto it = photos.rbegin(); it != photos.rend(); ++it) {
        json picture = pictureJson(it->fileName);
        picture["date"] = it->event.date.text();
        picture["kind"] = careKindName(it->event.kind);
        picture["kindLabel"] = catalogueText(words, careKindName(it->event.kind));
        picture["text"] = utf8(it->event.text);
        picture["taken"] = takenJson(*it, photosFolder);
        shown.push_back(std::move(picture));
    }
    return shown;
}

// A place's name, null for a tree without one.
json placeNameJson(std::string_view cp1252)
{
    return cp1252.empty() ? json(nullptr) : json(utf8(cp1252));
}

// What one tree's alert says: as a frost or heat of its own, or its wire to check.
std::string alertText(const garden::GardenAlert& alert, const PhoneWords& words)
{
    if (alert.kind == garden::AlertKind::Wire || !alert.forecast)
        return garden::wireAlertText(alert, words);
    return garden::alertGroupText({alert.kind, alert.date, alert.placeName, *alert.forecast, {alert}}, words);
}

json optionalNumber(const auto& value)
{
    return value ? json(*value) : json(nullptr);
}

// Every picture of the event, by the names the photo route knows them by.
json eventPicturesJson(const CareEvent& event)
{
    json pictures = json::array();
    for (const std::string& picture : event.pictures())
        pictures.push_back(pictureJson(timeline::photosFolderName(picture).value_or(picture)));
    return pictures;
}

} // namespace

std::string urlComponent(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
            byte == '-' || byte == '_' || byte == '.' || byte == '~') {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    return out;
}

json eventJson(const PhoneWords& words, std::string_view treeRef, std::size_t line, const CareEvent& event)
{
    return {{"date", event.date.text()},
            {"kind", careKindName(event.kind)},
            {"kindLabel", catalogueText(words, careKindName(event.kind))},
            {"due", event.due ? json(event.due->text()) : json(nullptr)},
            {"text", utf8(event.text)},
            {"pictures", eventPicturesJson(event)},
            {"measurements", measurementsJson(words, event.measurements)},
            {"repeat", event.repeat ? json(repeatText(*event.repeat, words)) : json(nullptr)},
            {"task", event.due ? json(taskName(treeRef, line, event)) : json(nullptr)}};
}

json treeListJson(const ApiView& view, std::string_view query, std::size_t offset, std::optional<std::size_t> limit)
{
    const CollectionSnapshot& collection = view.collection;
    const search::EntryMatcher matcher(text::utf8ToCp1252(query));
    std::vector<std::size_t> found;
    for (const std::size_t position : collection.byName())
        if (matcher.matchesEverything() || matcher.matches(collection.at(position)))
            found.push_back(position);
    json trees = json::array();
    const std::size_t end = limit ? std::min(found.size(), offset + *limit) : found.size();
    for (std::size_t i = offset; i < end; ++i)
        trees.push_back(treeSummaryJson(view, found[i]));
    const auto labelled = collection.findLabelledTree(query);
    return {{"collection", collection.title()},
            {"total", collection.size()},
            {"found", found.size()},
            // As the phone has always said it: "10 of 10 trees" too.
            {"summary", search::listedTreesText(found.size(), collection.size(), true, view.words)},
            {"offset", offset},
            {"labelled", labelled ? json(collection.treeRef(*labelled)) : json(nullptr)},
            {"trees", std::move(trees)}};
}

json treeJson(const ApiView& view, std::size_t position)
{
    const CBonsaiData& entry = view.collection.at(position);
    const Journal journal = Journal::read(entry[kJournalField]);
    const std::string ref = view.collection.treeRef(position);
    json events = json::array();
    if (!journal.isForeign())
        for (const NumberedEvent& numbered : journal.newestFirst())
            events.push_back(eventJson(view.words, ref, numbered.line, numbered.event));
    return {{"id", ref},
            {"name", utf8(entry[CBonsaiData::Name].view())},
            {"botanicalName", utf8(entry[CBonsaiData::BotanicalName].view())},
            {"sections", sectionsJson(view.words, entry)},
            {"album", albumJson(entry)},
            {"timeline",
             journal.isForeign() ? json::array() : timelineJson(view.words, journal, view.collection.photosFolder())},
            {"journalShown", !journal.isForeign()},
            {"events", std::move(events)}};
}

json dueJson(const ApiView& view)
{
    const auto tasks = dueTasks(view.collection.entries(), view.today, kDueWithinDays);
    json listed = json::array();
    for (const DueTask& task : tasks) {
        const CBonsaiData& entry = view.collection.at(task.entry);
        const std::string treeName = utf8(entry[CBonsaiData::Name].view());
        const std::string ref = view.collection.treeRef(task.entry);
        listed.push_back({{"task", taskName(ref, task.line, task.event)},
                          {"tree", ref},
                          {"treeName", treeName},
                          {"title", taskTitle(treeName, task.event.kind, utf8(firstLineOf(task.event)), view.words)},
                          {"kind", careKindName(task.event.kind)},
                          {"text", utf8(firstLineOf(task.event))},
                          {"due", task.event.due->text()},
                          {"overdue", *task.event.due < view.today},
                          {"repeat", task.event.repeat ? json(repeatText(*task.event.repeat, view.words)) : json(nullptr)}});
    }
    return {{"within", kDueWithinDays},
            {"today", view.today.text()},
            {"summary", dueSummary(tasks.size(), kDueWithinDays, view.words)},
            {"tasks", std::move(listed)}};
}

json alertsJson(const ApiView& view)
{
    const auto& garden = view.collection.garden();
    json groups = json::array();
    json alerts = json::array();
    if (!garden)
        return {{"forecastAge", nullptr}, {"groups", std::move(groups)}, {"alerts", std::move(alerts)}};
    for (const garden::AlertGroup& group : garden::groupAlerts(garden->alerts))
        groups.push_back({{"kind", garden::alertKindKey(group.kind)},
                          {"date", group.date.text()},
                          {"place", placeNameJson(group.placeName)},
                          {"text", garden::alertGroupText(group, view.words)}});
    for (const garden::GardenAlert& alert : garden->alerts)
        alerts.push_back({{"kind", garden::alertKindKey(alert.kind)},
                          {"date", alert.date.text()},
                          {"tree", {{"id", view.collection.treeRef(alert.entry)}, {"name", utf8(alert.treeName)}}},
                          {"place", placeNameJson(alert.placeName)},
                          {"limit", optionalNumber(alert.limit)},
                          {"forecast", optionalNumber(alert.forecast)},
                          {"text", alertText(alert, view.words)}});
    return {{"forecastAge",
             garden->forecastAge ? json(garden::forecastAgeText(*garden->forecastAge, view.words)) : json(nullptr)},
            {"groups", std::move(groups)},
            {"alerts", std::move(alerts)}};
}

json placesJson(const ApiView& view)
{
    const CollectionSnapshot& collection = view.collection;
    std::map<std::string, json, std::less<>> trees;
    for (const std::size_t position : collection.byName())
        if (const auto place = garden::placeOf(collection.at(position)))
            trees.try_emplace(place->name, json::array()).first->second.push_back(treeSummaryJson(view, position));
    json places = json::array();
    for (const garden::Place& place : search::collectionPlaces(collection.entries()))
        places.push_back({{"name", utf8(place.name)},
                          {"kind", garden::placeKindKey(place.kind)},
                          {"kindLabel", say(view.words, garden::placeKindName(place.kind))},
                          {"shelter", place.shelter},
                          {"trees", trees.try_emplace(place.name, json::array()).first->second}});
    return places;
}

json wordsJson(const PhoneWords& words, std::string_view pageScript)
{
    json texts = json::object();
    for (const std::string& english : pageTexts(pageScript))
        texts[english] = say(words, english);
    json kinds = json::array();
    for (const CareKind kind : kCareKinds)
        kinds.push_back({{"kind", careKindName(kind)}, {"label", catalogueText(words, careKindName(kind))}});
    json measures = json::array();
    for (const MeasureKind kind : kMeasureKinds) {
        json units = json::array();
        for (const LengthUnit unit : kLengthUnits)
            units.push_back(unitName(unit));
        const bool long_ = kind == MeasureKind::Height || kind == MeasureKind::Canopy;
        measures.push_back({{"key", measureKey(kind)},
                            {"label", catalogueText(words, measureName(kind))},
                            {"units", std::move(units)},
                            {"unit", unitName(long_ ? LengthUnit::Centimetre : LengthUnit::Millimetre)}});
    }
    return {{"language", say(words, PHONE_TEXT("en"))}, {"texts", std::move(texts)}, {"kinds", kinds}, {"measures", measures}};
}

std::string photoAddress(std::string_view cp1252Name, std::optional<int> size)
{
    return "/api/photos/" + urlComponent(utf8(cp1252Name)) + (size ? "?size=" + std::to_string(*size) : "");
}

std::string taskName(std::string_view treeRef, std::size_t line, const CareEvent& event)
{
    return std::string(treeRef) + "." + std::to_string(line) + "." + taskCheck(event);
}

std::optional<TaskName> readTaskName(std::string_view text)
{
    const std::size_t first = text.find('.');
    const std::size_t second = first == std::string_view::npos ? first : text.find('.', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    TaskName task{std::string(text.substr(0, first)), 0, std::string(text.substr(second + 1))};
    const auto line = readIndex(text.substr(first + 1, second - first - 1), 6);
    const bool hexCheck = task.check.size() == 32 && std::all_of(task.check.begin(), task.check.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    });
    if (!isTreeRefText(task.treeRef) || !line || !hexCheck)
        return std::nullopt;
    task.line = *line;
    return task;
}

json errorJson(std::string_view said)
{
    return {{"error", said}};
}

} // namespace talvane::companion
