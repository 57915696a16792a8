#include "core/search/ListColumns.h"

#include "core/collection/FieldCatalogue.h"
#include "core/garden/Place.h"
#include "core/journal/Journal.h"
#include "core/search/NaturalSortKey.h"
#include "core/search/WrittenDate.h"
#include "core/text/Words.h"
#include "core/timeline/TimelinePhoto.h"

#include <cstdio>

namespace talvane::search {

const char* listColumnTitle(ListColumn column)
{
    switch (column) {
    case ListColumn::Name:
        return SHOWN_TEXT("Name");
    case ListColumn::BotanicalName:
        return talvane::collection::field(CBonsaiData::BotanicalName).label.data();
    case ListColumn::CommonName:
        return talvane::collection::field(CBonsaiData::CommonName).label.data();
    case ListColumn::Style:
        return SHOWN_TEXT("Style");
    case ListColumn::InteriorExterior:
        return SHOWN_TEXT("Interior/Exterior");
    case ListColumn::Purchased:
        return SHOWN_TEXT("Purchased");
    case ListColumn::Photos:
        return SHOWN_TEXT("Photos");
    case ListColumn::Place:
        return SHOWN_TEXT("Place");
    }
    return "";
}

std::string listColumnText(const CBonsaiData& entry, ListColumn column)
{
    switch (column) {
    case ListColumn::Name:
        return std::string(entry[CBonsaiData::Name]);
    case ListColumn::BotanicalName:
        return std::string(entry[CBonsaiData::BotanicalName]);
    case ListColumn::CommonName:
        return std::string(entry[CBonsaiData::CommonName]);
    case ListColumn::Style: {
        const std::string_view shaping = entry[CBonsaiData::ShapingStyle];
        return std::string(shaping.empty() ? std::string_view(entry[CBonsaiData::PurchaseStyle]) : shaping);
    }
    case ListColumn::InteriorExterior:
        return std::string(talvane::collection::field(CBonsaiData::IntExt).shownText(entry[CBonsaiData::IntExt]));
    case ListColumn::Purchased:
        return std::string(entry[CBonsaiData::PurchaseDate]);
    case ListColumn::Photos: {
        const PhotoCount photos = photoCount(entry);
        return std::to_string(photos.album + photos.timeline);
    }
    case ListColumn::Place: {
        auto place = talvane::garden::placeOf(entry);
        return place ? std::move(place->name) : std::string();
    }
    }
    return {};
}

PhotoCount photoCount(const CBonsaiData& entry)
{
    PhotoCount count;
    for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot)
        count.album += entry[CBonsaiData::photoField(slot)].empty() ? 0 : 1;
    count.timeline = talvane::timeline::timelinePhotoCount(entry[talvane::journal::kJournalField]);
    return count;
}

ColumnSortKey columnSortKey(const CBonsaiData& entry, ListColumn column)
{
    enum Band { Dates, Texts, Empty };
    const std::string text = listColumnText(entry, column);
    if (column != ListColumn::Purchased)
        return {Texts, naturalSortKey(text)};
    if (const auto date = readWrittenDate(text)) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%04d%02d%02d", date->year, date->month, date->day);
        return {Dates, digits};
    }
    return {text.empty() ? Empty : Texts, naturalSortKey(text)};
}

bool sortsBefore(const ColumnSortKey& first, const ColumnSortKey& second, bool descending)
{
    if (first.band != second.band)
        return first.band < second.band;
    return descending ? second.key < first.key : first.key < second.key;
}

std::string listedTreesText(std::size_t listed, std::size_t total, bool filtered, const talvane::text::Words& words)
{
    using talvane::text::say;
    const std::string all = std::to_string(total);
    // None and one have texts of their own: French counts none in the singular.
    if (!filtered)
        return total == 0   ? say(words, SHOWN_TEXT("0 trees"))
               : total == 1 ? say(words, SHOWN_TEXT("1 tree"))
                            : say(words, SHOWN_TEXT("%1 trees"), {all});
    const std::string shown = std::to_string(listed);
    return total == 0   ? say(words, SHOWN_TEXT("0 of 0 trees"))
           : total == 1 ? say(words, SHOWN_TEXT("%1 of 1 tree"), {shown})
                        : say(words, SHOWN_TEXT("%1 of %2 trees"), {shown, all});
}

} // namespace talvane::search
