#include "GuideTestFiles.h"

#include "support/core/TempDir.h"
#include "core/guide/GuideLoader.h"
#include "core/guide/GuideShift.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace talvane::guide;

namespace {

const char* const kKeys[] = {
    "[Nom botanique]", "[Nom fran\xE7" "ais]", "[Nom anglais]", "[Position]", "[Arrosage]",
    "[Fertilisation]", "[Taille]", "[Ligature]", "[Rempotage]", "[Culture]", "[Hivernage]",
    "[Substrat]",
};

} // namespace

std::string sectionValue(std::string_view name, std::size_t section)
{
    return std::string(name) + "|" + std::to_string(section);
}

std::vector<std::string> blockLines(std::string_view name, std::string_view intExt)
{
    std::vector<std::string> lines{"//////////////"};
    for (std::size_t section = 0; section < std::size(kKeys); ++section) {
        lines.emplace_back(kKeys[section]);
        lines.push_back(sectionValue(name, section));
    }
    lines.emplace_back("[Int_Ext]");
    lines.emplace_back(intExt);
    lines.emplace_back("//////");
    return lines;
}

void eraseLine(std::vector<std::string>& lines, std::string_view text)
{
    const auto it = std::find(lines.begin(), lines.end(), text);
    ASSERT_NE(it, lines.end()) << text;
    lines.erase(it);
}

std::string joinLines(const std::vector<std::string>& lines, std::string_view lineEnd)
{
    std::string text;
    for (const auto& line : lines)
        text.append(line).append(lineEnd);
    return text;
}

LoadedGuide loadStoredGuide(std::string_view stored)
{
    TempDir dir;
    writeFileBytes(dir / "esspef.dat", stored);
    LoadedGuide loaded;
    LoadSpeciesGuide(
        dir / "esspef.dat",
        [&](const std::string& text, const std::string& caption, unsigned flags) {
            EXPECT_EQ(caption, "Attention");
            EXPECT_EQ(flags, 0x10u);
            loaded.messages.push_back(text);
        },
        loaded.guide);
    return loaded;
}

LoadedGuide loadPlainGuide(std::string_view plain)
{
    const auto stored = encodeGuideText(plain);
    EXPECT_TRUE(stored.has_value());
    return loadStoredGuide(stored.value_or(""));
}

void expectBlockRecord(const CGuideEspece& species, std::string_view name, int intExtCode)
{
    for (std::size_t section = 0; section < kSectionMembers.size(); ++section)
        EXPECT_EQ(species.*kSectionMembers[section], sectionValue(name, section)) << "section " << section;
    EXPECT_EQ(species.m_strTempMin, "");
    EXPECT_EQ(species.m_nIntExtCode, intExtCode);
}
