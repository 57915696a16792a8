#include "collection/BonsaiData.h"

#include <algorithm>
#include <string_view>

namespace {

struct NamedField {
    std::size_t index;
    const char* name;
};

constexpr NamedField kNamedFields[] = {
    {CBonsaiData::Name, "Name"},
    {CBonsaiData::BotanicalName, "BotanicalName"},
    {CBonsaiData::FrenchName, "FrenchName"},
    {CBonsaiData::EnglishName, "EnglishName"},
    {CBonsaiData::CommonName, "CommonName"},
    {CBonsaiData::Type, "Type"},
    {CBonsaiData::Species, "Species"},
    {CBonsaiData::Cultivar, "Cultivar"},
    {CBonsaiData::PlantNotes, "PlantNotes"},
    {CBonsaiData::IntExt, "IntExt"},
    {CBonsaiData::PurchaseAge, "PurchaseAge"},
    {CBonsaiData::PurchaseDate, "PurchaseDate"},
    {CBonsaiData::PurchaseTrunkDiameter, "PurchaseTrunkDiameter"},
    {CBonsaiData::PurchaseStyle, "PurchaseStyle"},
    {CBonsaiData::PurchaseTrunkHeight, "PurchaseTrunkHeight"},
    {CBonsaiData::Source, "Source"},
    {CBonsaiData::PricePaid, "PricePaid"},
    {CBonsaiData::ShapingAge, "ShapingAge"},
    {CBonsaiData::ShapingDate, "ShapingDate"},
    {CBonsaiData::ShapingTrunkDiameter, "ShapingTrunkDiameter"},
    {CBonsaiData::ShapingStyle, "ShapingStyle"},
    {CBonsaiData::ShapingTrunkHeight, "ShapingTrunkHeight"},
    {CBonsaiData::History, "History"},
    {CBonsaiData::Defoliation, "Defoliation"},
    {CBonsaiData::Fertilization, "Fertilization"},
    {CBonsaiData::Insecticide, "Insecticide"},
    {CBonsaiData::Pinching, "Pinching"},
    {CBonsaiData::Repotting, "Repotting"},
    {CBonsaiData::Pruning, "Pruning"},
    {CBonsaiData::MaintenanceNotes, "MaintenanceNotes"},
    {CBonsaiData::ToDo, "ToDo"},
    {CBonsaiData::NeedWatering, "NeedWatering"},
    {CBonsaiData::NeedPosition, "NeedPosition"},
    {CBonsaiData::NeedFertilization, "NeedFertilization"},
    {CBonsaiData::NeedWintering, "NeedWintering"},
    {CBonsaiData::MinTemperature, "MinTemperature"},
    {CBonsaiData::PH, "PH"},
    {CBonsaiData::NeedRepotting, "NeedRepotting"},
    {CBonsaiData::RustZone, "RustZone"},
    {CBonsaiData::NeedSoil, "NeedSoil"},
    {CBonsaiData::NeedWiring, "NeedWiring"},
    {CBonsaiData::NeedPruning, "NeedPruning"},
    {CBonsaiData::Photo1, "Photo1"},
    {CBonsaiData::Photo2, "Photo2"},
    {CBonsaiData::Photo3, "Photo3"},
    {CBonsaiData::Photo4, "Photo4"},
    {CBonsaiData::Photo5, "Photo5"},
    {CBonsaiData::Photo1Description, "Photo1Description"},
    {CBonsaiData::Photo2Description, "Photo2Description"},
    {CBonsaiData::Photo3Description, "Photo3Description"},
    {CBonsaiData::Photo4Description, "Photo4Description"},
    {CBonsaiData::Photo5Description, "Photo5Description"},
};

static_assert(std::size(kNamedFields) == 52);

} // namespace

CBonsaiData::CBonsaiData()
{
    (*this)[IntExt] = "-1";
}

std::string& CBonsaiData::operator[](std::size_t index)
{
    auto at = std::lower_bound(m_fields.begin(), m_fields.end(), index,
                               [](const Slot& slot, std::size_t wanted) { return slot.index < wanted; });
    if (at == m_fields.end() || at->index != index)
        at = m_fields.insert(at, Slot{static_cast<std::uint8_t>(index), std::make_unique<std::string>()});
    return *at->text;
}

const std::string& CBonsaiData::operator[](std::size_t index) const
{
    static const std::string empty;
    const auto at = std::lower_bound(m_fields.begin(), m_fields.end(), index,
                                     [](const Slot& slot, std::size_t wanted) { return slot.index < wanted; });
    return at != m_fields.end() && at->index == index ? *at->text : empty;
}

const char* CBonsaiData::FieldName(std::size_t index)
{
    for (const auto& field : kNamedFields) {
        if (field.index == index)
            return field.name;
    }
    return nullptr;
}

std::size_t CBonsaiData::FieldIndex(std::string_view name)
{
    for (const auto& field : kNamedFields) {
        if (name == field.name)
            return field.index;
    }
    return kFieldCount;
}
