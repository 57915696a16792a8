#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CBonsaiData;

// One species of the guide: its names and care texts, read from one block of the
// guide file. Texts are Windows-1252 bytes. A record never changes once appended.
class CGuideEspece {
public:
    std::string m_strNomBotanique;
    std::string m_strNomFrancais;
    std::string m_strNomAnglais;
    std::string m_strPosition;
    std::string m_strArrosage;
    std::string m_strFertilisation;
    std::string m_strTaille;
    std::string m_strLigature;
    std::string m_strRempotage;
    std::string m_strCulture;
    std::string m_strHivernage;
    std::string m_strSubstrat;
    // No section of the file fills it: the user types the minimum temperature.
    std::string m_strTempMin;
    // 0 interior, 1 exterior, -1 neither.
    std::int32_t m_nIntExtCode = -1;
};

namespace talvane::guide {
using SpeciesGuide = std::vector<std::unique_ptr<CGuideEspece>>;
} // namespace talvane::guide

// The guide of the run, in file order: filled once at start-up, read-only afterwards.
extern talvane::guide::SpeciesGuide g_speciesGuide;

namespace talvane::guide {

// The record at a position, or nullptr for -1 and for any other position outside the guide.
const CGuideEspece* speciesAt(int index, const SpeciesGuide& guide = g_speciesGuide);

// One name per record, empty ones included, so that name i always belongs to record i.
std::vector<std::string> botanicalNames(const SpeciesGuide& guide = g_speciesGuide);

} // namespace talvane::guide

// Gives a new entry the plant names, the interior/exterior choice and the care texts of
// the species at speciesIndex. The record is found by position only: without one, the
// entry takes the botanical name as typed and nothing else. Every used field but Name is
// set; Name and the spare fields are left alone.
void FillEntryFromGuide(CBonsaiData& entry, int speciesIndex, const std::string& typedBotanicalName,
                        const talvane::guide::SpeciesGuide& guide = g_speciesGuide);
