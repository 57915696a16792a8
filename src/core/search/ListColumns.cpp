#include "search/ListColumns.h"

#include "collection/FieldCatalogue.h"

namespace search {

const char* listColumnTitle(ListColumn column)
{
    switch (column) {
    case ListColumn::Name:
        return "Name";
    case ListColumn::BotanicalName:
        return talvane::fields::field(CBonsaiData::BotanicalName).label.data();
    case ListColumn::CommonName:
        return talvane::fields::field(CBonsaiData::CommonName).label.data();
    case ListColumn::Style:
        return "Style";
    case ListColumn::InteriorExterior:
        return "Interior/Exterior";
    case ListColumn::Purchased:
        return "Purchased";
    case ListColumn::Photos:
        return "Photos";
    }
    return "";
}

std::string listColumnText(const CBonsaiData& entry, ListColumn column)
{
    switch (column) {
    case ListColumn::Name:
        return entry[CBonsaiData::Name];
    case ListColumn::BotanicalName:
        return entry[CBonsaiData::BotanicalName];
    case ListColumn::CommonName:
        return entry[CBonsaiData::CommonName];
    case ListColumn::Style: {
        const std::string_view shaping = entry[CBonsaiData::ShapingStyle];
        return std::string(shaping.empty() ? std::string_view(entry[CBonsaiData::PurchaseStyle]) : shaping);
    }
    case ListColumn::InteriorExterior:
        return std::string(talvane::fields::field(CBonsaiData::IntExt).shownText(entry[CBonsaiData::IntExt]));
    case ListColumn::Purchased:
        return entry[CBonsaiData::PurchaseDate];
    case ListColumn::Photos: {
        int filled = 0;
        for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot)
            filled += entry[CBonsaiData::photoField(slot)].empty() ? 0 : 1;
        return std::to_string(filled);
    }
    }
    return {};
}

} // namespace search
