#pragma once

#include "core/guide/GuideEspece.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The text members in the order of the file's sections, for checking records whole.
inline constexpr std::array<std::string CGuideEspece::*, 12> kSectionMembers = {
    &CGuideEspece::m_strNomBotanique, &CGuideEspece::m_strNomFrancais, &CGuideEspece::m_strNomAnglais,
    &CGuideEspece::m_strPosition,     &CGuideEspece::m_strArrosage,    &CGuideEspece::m_strFertilisation,
    &CGuideEspece::m_strTaille,       &CGuideEspece::m_strLigature,    &CGuideEspece::m_strRempotage,
    &CGuideEspece::m_strCulture,      &CGuideEspece::m_strHivernage,   &CGuideEspece::m_strSubstrat,
};

// The value a test block gives section k: "<name>|<k>".
std::string sectionValue(std::string_view name, std::size_t section);

// The plain lines of a well-formed block: separator, thirteen key lines each followed by
// one value line, end line.
std::vector<std::string> blockLines(std::string_view name, std::string_view intExt);

// Removes the first line equal to text; fails the test when there is none.
void eraseLine(std::vector<std::string>& lines, std::string_view text);

std::string joinLines(const std::vector<std::string>& lines, std::string_view lineEnd = "\n");

struct LoadedGuide {
    talvane::guide::SpeciesGuide guide;
    std::vector<std::string> messages;
};

// Writes the stored bytes to a file and loads it, checking the caption and flags of
// every message.
LoadedGuide loadStoredGuide(std::string_view stored);
// The same for a plain text, shifted first.
LoadedGuide loadPlainGuide(std::string_view plain);

// Checks every member of a record made from blockLines(name, ...).
void expectBlockRecord(const CGuideEspece& species, std::string_view name, int intExtCode);
