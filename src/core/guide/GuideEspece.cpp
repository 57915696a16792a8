#include "core/guide/GuideEspece.h"

#include "core/collection/BonsaiData.h"

talvane::guide::SpeciesGuide g_speciesGuide;

namespace talvane::guide {

namespace {

struct FieldFromSpecies {
    std::size_t field;
    std::string CGuideEspece::*member;
};

constexpr FieldFromSpecies kFieldsFromSpecies[] = {
    {CBonsaiData::BotanicalName, &CGuideEspece::m_strNomBotanique},
    {CBonsaiData::FrenchName, &CGuideEspece::m_strNomFrancais},
    {CBonsaiData::EnglishName, &CGuideEspece::m_strNomAnglais},
    {CBonsaiData::NeedPosition, &CGuideEspece::m_strPosition},
    {CBonsaiData::NeedWatering, &CGuideEspece::m_strArrosage},
    {CBonsaiData::NeedFertilization, &CGuideEspece::m_strFertilisation},
    {CBonsaiData::NeedPruning, &CGuideEspece::m_strTaille},
    {CBonsaiData::NeedWiring, &CGuideEspece::m_strLigature},
    {CBonsaiData::NeedRepotting, &CGuideEspece::m_strRempotage},
    {CBonsaiData::RustZone, &CGuideEspece::m_strCulture},
    {CBonsaiData::NeedWintering, &CGuideEspece::m_strHivernage},
    {CBonsaiData::NeedSoil, &CGuideEspece::m_strSubstrat},
    {CBonsaiData::MinTemperature, &CGuideEspece::m_strTempMin},
};

// A new entry starts blank apart from its name, which the New entry dialog gives.
void clearUsedFieldsButName(CBonsaiData& entry)
{
    for (std::size_t index = 0; index < CBonsaiData::kFieldCount; ++index) {
        if (index != CBonsaiData::Name && !CBonsaiData::isSpare(index))
            entry[index].clear();
    }
}

} // namespace

const CGuideEspece* speciesAt(int index, const SpeciesGuide& guide)
{
    if (index < 0 || static_cast<std::size_t>(index) >= guide.size())
        return nullptr;
    return guide[static_cast<std::size_t>(index)].get();
}

std::vector<std::string> botanicalNames(const SpeciesGuide& guide)
{
    std::vector<std::string> names;
    names.reserve(guide.size());
    for (const auto& species : guide)
        names.push_back(species->m_strNomBotanique);
    return names;
}

} // namespace talvane::guide

void FillEntryFromGuide(CBonsaiData& entry, int speciesIndex, const std::string& typedBotanicalName,
                        const talvane::guide::SpeciesGuide& guide)
{
    using namespace talvane::guide;
    clearUsedFieldsButName(entry);
    const CGuideEspece* species = speciesAt(speciesIndex, guide);
    if (!species) {
        entry[CBonsaiData::BotanicalName] = typedBotanicalName;
        entry[CBonsaiData::IntExt] = "-1";
        return;
    }
    for (const auto& [field, member] : kFieldsFromSpecies)
        entry[field] = species->*member;
    entry[CBonsaiData::IntExt] = std::to_string(species->m_nIntExtCode);
}
