#include "GuideTestFiles.h"

#include "support/core/TempDir.h"
#include "core/guide/GuideLoader.h"
#include "core/guide/GuideShift.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace talvane::guide;

namespace {

using Messages = std::vector<std::string>;

const std::string kInterior = "Int\xE9rieur";
const std::string kExterior = "Ext\xE9rieur";
const std::string kMissingKey = "Le champs existe pas";
const std::string kEmptySection = "Information manquante";

std::vector<std::string> concat(std::vector<std::string> first, const std::vector<std::string>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// The lines from the first equal to `from` up to, not including, the first equal to
// `to` after it (or to the end), joined as the loader joins a value.
std::string joinedRun(const std::vector<std::string>& lines, std::string_view from, std::string_view to = {})
{
    const auto begin = std::find(lines.begin(), lines.end(), from);
    const auto end = to.empty() ? lines.end() : std::find(begin, lines.end(), to);
    std::string run;
    for (auto it = begin; it != end; ++it)
        run += *it;
    return run;
}

void expectSectionsExcept(const CGuideEspece& species, std::string_view name, std::vector<std::size_t> skipped)
{
    for (std::size_t section = 0; section < kSectionMembers.size(); ++section) {
        if (std::find(skipped.begin(), skipped.end(), section) == skipped.end()) {
            EXPECT_EQ(species.*kSectionMembers[section], sectionValue(name, section)) << "section " << section;
        }
    }
}

} // namespace

TEST(GuideLoader, ReadsBlocksInFileOrderIgnoringLinesAroundThem)
{
    const auto loaded = loadPlainGuide("Talvane species guide\n/////\n" + joinLines(blockLines("A", kExterior)) +
                                       "junk [Taille] between\n/////////////\n\n" +
                                       joinLines(blockLines("B", kInterior)) + "trailing [Nom botanique]\n");
    EXPECT_EQ(loaded.messages, Messages{});
    ASSERT_EQ(loaded.guide.size(), 2u);
    expectBlockRecord(*loaded.guide[0], "A", 1);
    expectBlockRecord(*loaded.guide[1], "B", 0);
}

TEST(GuideLoader, JoinsValueLinesWithoutLineEndsAndKeepsAccentsUnshifted)
{
    const std::vector<std::string> example = {
        "//////////////", "[Nom botanique]", "Acer palmatum", "[Nom fran\xE7" "ais]", "\xC9rable du Japon",
        "[Nom anglais]", "Japanese maple", "[Position]", "Half shade, out of strong wind.", "[Arrosage]",
        "Keep the soil moist, never soaked.", "[Fertilisation]", "Spring and autumn,", " lightly.", "[Taille]",
        "Spring and", "autumn", "[Ligature]", "Late spring to summer.", "[Rempotage]",
        "Every two years, early spring.", "[Culture]", "5", "[Hivernage]", "Protect the roots from hard frost.",
        "[Substrat]", "Free-draining mix.", "[Int_Ext]", "Ext\xE9rieur", "//////",
    };
    const auto loaded = loadPlainGuide(joinLines(example));
    EXPECT_EQ(loaded.messages, Messages{});
    ASSERT_EQ(loaded.guide.size(), 1u);
    const CGuideEspece& maple = *loaded.guide[0];
    EXPECT_EQ(maple.m_strNomBotanique, "Acer palmatum");
    EXPECT_EQ(maple.m_strNomFrancais, "\xC9rable du Japon");
    EXPECT_EQ(maple.m_strPosition, "Half shade, out of strong wind.");
    EXPECT_EQ(maple.m_strFertilisation, "Spring and autumn, lightly.");
    EXPECT_EQ(maple.m_strTaille, "Spring andautumn");
    EXPECT_EQ(maple.m_strCulture, "5");
    EXPECT_EQ(maple.m_strSubstrat, "Free-draining mix.");
    EXPECT_EQ(maple.m_strTempMin, "");
    EXPECT_EQ(maple.m_nIntExtCode, 1);
}

TEST(GuideLoader, IntExtMatchesOnlyTheExactAccentedWords)
{
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{kInterior}, 0},
        {{kExterior}, 1},
        {{"Int", "\xE9rieur"}, 0},
        {{"interieur"}, -1},
        {{"Interieur"}, -1},
        {{"int\xE9rieur"}, -1},
        {{kInterior + " "}, -1},
        {{"Int\xEBrieur"}, -1},  // an accent stored shifted like the letters around it
        {{"Exterior"}, -1},
    };
    for (const auto& [valueLines, code] : cases) {
        auto lines = blockLines("A", "placeholder");
        const auto at = std::find(lines.begin(), lines.end(), "placeholder");
        lines.insert(lines.erase(at), valueLines.begin(), valueLines.end());
        const auto loaded = loadPlainGuide(joinLines(lines));
        EXPECT_EQ(loaded.messages, Messages{}) << valueLines[0];
        ASSERT_EQ(loaded.guide.size(), 1u);
        expectBlockRecord(*loaded.guide[0], "A", code);
    }
}

TEST(GuideLoader, EmptySectionsAreReportedAndLeftEmpty)
{
    auto lines = blockLines("A", kInterior);
    eraseLine(lines, "A|2");
    eraseLine(lines, kInterior);
    const auto loaded = loadPlainGuide(joinLines(lines));
    EXPECT_EQ(loaded.messages, (Messages{kEmptySection, kEmptySection}));
    ASSERT_EQ(loaded.guide.size(), 1u);
    expectSectionsExcept(*loaded.guide[0], "A", {2});
    EXPECT_EQ(loaded.guide[0]->m_strNomAnglais, "");
    EXPECT_EQ(loaded.guide[0]->m_nIntExtCode, -1);
}

TEST(GuideLoader, OnlyALineThatIsExactlyTheNextKeyMarksASectionEmpty)
{
    auto lines = blockLines("A", kExterior);
    *std::find(lines.begin(), lines.end(), "A|2") = "[Position] ";
    const auto at = std::find(lines.begin(), lines.end(), kExterior);
    *at = "////// ";
    lines.insert(at + 1, "//////");
    const auto loaded = loadPlainGuide(joinLines(lines));
    EXPECT_EQ(loaded.messages, Messages{});
    ASSERT_EQ(loaded.guide.size(), 1u);
    const CGuideEspece& species = *loaded.guide[0];
    EXPECT_EQ(species.m_strNomAnglais, "[Position] ");
    // "[Position] " is the first line holding the key, so the real key line is a value.
    EXPECT_EQ(species.m_strPosition, "[Position]A|3");
    EXPECT_EQ(species.m_nIntExtCode, -1);
    expectSectionsExcept(species, "A", {2, 3});
}

TEST(GuideLoader, AKeyInsideALongerLineMakesItTheKeyLine)
{
    auto lines = blockLines("A", kInterior);
    *std::find(lines.begin(), lines.end(), "[Taille]") = "see [Taille] below";
    const auto loaded = loadPlainGuide(joinLines(lines));
    EXPECT_EQ(loaded.messages, Messages{});
    ASSERT_EQ(loaded.guide.size(), 1u);
    expectBlockRecord(*loaded.guide[0], "A", 0);
}

TEST(GuideLoader, AMissingKeyLetsThePreviousValueRunIntoTheNextBlock)
{
    auto first = blockLines("A", kExterior);
    eraseLine(first, "[Culture]");
    const auto lines = concat(first, blockLines("B", kInterior));
    const auto loaded = loadPlainGuide(joinLines(lines));
    EXPECT_EQ(loaded.messages, Messages{kMissingKey});
    ASSERT_EQ(loaded.guide.size(), 2u);
    const CGuideEspece& a = *loaded.guide[0];
    EXPECT_EQ(a.m_strRempotage, joinedRun(lines, "A|8", "[Culture]"));
    EXPECT_NE(a.m_strRempotage.find("B|8"), std::string::npos);
    EXPECT_EQ(a.m_strCulture, "");
    expectSectionsExcept(a, "A", {8, 9});
    EXPECT_EQ(a.m_nIntExtCode, 1);
    expectBlockRecord(*loaded.guide[1], "B", 0);
}

TEST(GuideLoader, AMissingIntExtKeyStopsAtTheEndLineAndTheNextBlockLoads)
{
    auto first = blockLines("A", kInterior);
    eraseLine(first, "[Int_Ext]");
    const auto lines = concat(first, blockLines("B", kExterior));
    const auto loaded = loadPlainGuide(joinLines(lines));
    EXPECT_EQ(loaded.messages, Messages{kMissingKey});
    ASSERT_EQ(loaded.guide.size(), 2u);
    EXPECT_EQ(loaded.guide[0]->m_nIntExtCode, -1);
    EXPECT_EQ(loaded.guide[0]->m_strSubstrat, joinedRun(lines, "A|11", "[Int_Ext]"));
    expectSectionsExcept(*loaded.guide[0], "A", {11});
    expectBlockRecord(*loaded.guide[1], "B", 1);
}

TEST(GuideLoader, ABlockWithoutEndLineSwallowsTheBlocksUpToTheNextEndLine)
{
    auto first = blockLines("A", kExterior);
    eraseLine(first, "//////");
    const auto loaded =
        loadPlainGuide(joinLines(concat(concat(first, blockLines("B", kInterior)), blockLines("C", kInterior))));
    EXPECT_EQ(loaded.messages, Messages{});
    ASSERT_EQ(loaded.guide.size(), 2u);
    expectBlockRecord(*loaded.guide[0], "A", -1);
    expectBlockRecord(*loaded.guide[1], "C", 0);

    // At the end of the file the value simply ends.
    const auto last = loadPlainGuide(joinLines(first));
    EXPECT_EQ(last.messages, Messages{});
    ASSERT_EQ(last.guide.size(), 1u);
    expectBlockRecord(*last.guide[0], "A", 1);
}

TEST(GuideLoader, AFileCutAfterAKeyLineLeavesThatValueEmpty)
{
    auto lines = blockLines("A", kInterior);
    lines.erase(std::find(lines.begin(), lines.end(), "[Substrat]") + 1, lines.end());
    const std::string withLineEnd = joinLines(lines);
    for (const std::string& plain : {withLineEnd, withLineEnd.substr(0, withLineEnd.size() - 1)}) {
        const auto loaded = loadPlainGuide(plain);
        EXPECT_EQ(loaded.messages, Messages{kMissingKey});
        ASSERT_EQ(loaded.guide.size(), 1u);
        EXPECT_EQ(loaded.guide[0]->m_strSubstrat, "");
        EXPECT_EQ(loaded.guide[0]->m_nIntExtCode, -1);
        expectSectionsExcept(*loaded.guide[0], "A", {11});
    }

    // Cut inside a value: the value keeps what is there, the later keys are missing.
    lines.pop_back();
    const auto loaded = loadPlainGuide(joinLines(lines));
    EXPECT_EQ(loaded.messages, (Messages{kMissingKey, kMissingKey}));
    ASSERT_EQ(loaded.guide.size(), 1u);
    expectSectionsExcept(*loaded.guide[0], "A", {11});
}

TEST(GuideLoader, EmptyOrBlocklessFilesGiveNoRecordAndNoMessage)
{
    for (const char* plain : {"", "\n", "\r\n", "no block here\n/////////////\n[Nom botanique]\nAcer\n//////\n"}) {
        const auto loaded = loadPlainGuide(plain);
        EXPECT_EQ(loaded.messages, Messages{}) << plain;
        EXPECT_TRUE(loaded.guide.empty()) << plain;
    }
}

TEST(GuideLoader, AMissingOrUnreadableFileAddsNothingSilently)
{
    TempDir dir;
    SpeciesGuide guide;
    guide.push_back(std::make_unique<CGuideEspece>());
    int messages = 0;
    const auto count = [&](const std::string&, const std::string&, unsigned) { ++messages; };
    LoadSpeciesGuide(dir / "esspef.dat", count, guide);
    LoadSpeciesGuide(dir.path(), count, guide);
    EXPECT_EQ(messages, 0);
    EXPECT_EQ(guide.size(), 1u);
    EXPECT_EQ(readGuideFile(dir / "esspef.dat"), std::nullopt);
}

TEST(GuideLoader, ReadsCrLfAndMixedLineEndsAlike)
{
    const auto lines = concat(blockLines("A", kExterior), blockLines("B", kInterior));
    std::string mixed;
    for (std::size_t i = 0; i < lines.size(); ++i)
        mixed += lines[i] + (i % 2 ? "\r\n" : "\n");
    for (const std::string& plain : {joinLines(lines, "\r\n"), mixed}) {
        const auto loaded = loadPlainGuide(plain);
        EXPECT_EQ(loaded.messages, Messages{});
        ASSERT_EQ(loaded.guide.size(), 2u);
        expectBlockRecord(*loaded.guide[0], "A", 1);
        expectBlockRecord(*loaded.guide[1], "B", 0);
    }
}

TEST(GuideLoader, LongLinesAreReadIn999BytePieces)
{
    auto lines = blockLines("A", kInterior);
    const std::string longValue(2500, 'v');
    *std::find(lines.begin(), lines.end(), "A|3") = longValue;
    *std::find(lines.begin(), lines.end(), "[Taille]") = std::string(991, ' ') + "[Taille]";
    auto loaded = loadPlainGuide(joinLines(lines));
    EXPECT_EQ(loaded.messages, Messages{});
    ASSERT_EQ(loaded.guide.size(), 1u);
    EXPECT_EQ(loaded.guide[0]->m_strPosition, longValue);
    expectSectionsExcept(*loaded.guide[0], "A", {3});

    // One byte more and the key straddles the cut: neither piece holds it.
    *std::find(lines.begin(), lines.end(), std::string(991, ' ') + "[Taille]") = std::string(992, ' ') + "[Taille]";
    loaded = loadPlainGuide(joinLines(lines));
    EXPECT_EQ(loaded.messages, Messages{kMissingKey});
    ASSERT_EQ(loaded.guide.size(), 1u);
    EXPECT_EQ(loaded.guide[0]->m_strTaille, "");
    // With no later "[Taille]" the value before it runs to the end, the pieces rejoined.
    EXPECT_EQ(loaded.guide[0]->m_strFertilisation, joinedRun(lines, "A|5"));
}

TEST(GuideLoader, SeparatorsAloneGiveEmptyRecordsWithThirteenMessagesEach)
{
    const auto loaded = loadPlainGuide(joinLines(std::vector<std::string>(5, "//////////////")));
    // Each block's searches stop at, and use up, the separator after it.
    ASSERT_EQ(loaded.guide.size(), 3u);
    EXPECT_EQ(loaded.messages, Messages(39, kMissingKey));
    for (const auto& species : loaded.guide) {
        for (const auto member : kSectionMembers)
            EXPECT_EQ(species.get()->*member, "");
        EXPECT_EQ(species->m_nIntExtCode, -1);
    }
}

TEST(GuideLoader, LoadsIntoTheProgramWideGuideByDefault)
{
    TempDir dir;
    writeFileBytes(dir / "esspef.dat", *encodeGuideText(joinLines(blockLines("A", kInterior))));
    g_speciesGuide.clear();
    LoadSpeciesGuide(dir / "esspef.dat", [](const std::string&, const std::string&, unsigned) {});
    ASSERT_EQ(g_speciesGuide.size(), 1u);
    expectBlockRecord(*g_speciesGuide[0], "A", 0);
    g_speciesGuide.clear();
}

TEST(GuideLoader, ALongWellFormedBlockIsReadWhole)
{
    auto lines = blockLines("A", kInterior);
    const auto name = std::find(lines.begin(), lines.end(), "A|0");
    const std::vector<std::string> nameLines(2000, std::string(40, 'n'));
    lines.insert(lines.erase(name), nameLines.begin(), nameLines.end());
    const auto loaded = loadPlainGuide(joinLines(lines));
    EXPECT_EQ(loaded.messages, Messages{});
    ASSERT_EQ(loaded.guide.size(), 1u);
    EXPECT_EQ(loaded.guide[0]->m_strNomBotanique, std::string(80000, 'n'));
    expectSectionsExcept(*loaded.guide[0], "A", {0});
    EXPECT_EQ(loaded.guide[0]->m_nIntExtCode, 0);
}

TEST(GuideLoader, ValuesRunningOverTheSameLinesEndTheLoadInBoundedTime)
{
    // Every block lacks "[Culture]", so each "[Rempotage]" runs to the end of the file.
    std::vector<std::string> lines;
    for (int block = 0; block < 400; ++block) {
        auto oneBlock = blockLines("B" + std::to_string(block), kExterior);
        eraseLine(oneBlock, "[Culture]");
        lines = concat(lines, oneBlock);
    }
    const std::string plain = joinLines(lines);
    const auto loaded = loadPlainGuide(plain);

    ASSERT_GE(loaded.guide.size(), 2u);
    EXPECT_LT(loaded.guide.size(), 400u);
    EXPECT_EQ(loaded.guide[0]->m_strRempotage, joinedRun(lines, "B0|8"));
    expectSectionsExcept(*loaded.guide[0], "B0", {8, 9});
    std::size_t valueBytes = 0;
    for (const auto& species : loaded.guide) {
        for (const auto member : kSectionMembers)
            valueBytes += (species.get()->*member).size();
    }
    EXPECT_LE(valueBytes, 26 * plain.size());
    EXPECT_GE(loaded.messages.size(), loaded.guide.size());
    EXPECT_EQ(loaded.messages, Messages(loaded.messages.size(), kMissingKey));
}
