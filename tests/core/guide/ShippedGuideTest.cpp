#include "GuideTestFiles.h"

#include "support/core/TempDir.h"
#include "core/guide/GuideLoader.h"
#include "core/guide/GuideShift.h"

#include <gtest/gtest.h>

#include <set>

using namespace talvane::guide;

namespace {

const std::string kSourceDir = TALVANE_SOURCE_DIR;

} // namespace

TEST(ShippedGuide, IsTheShiftedFormOfItsPlainSource)
{
    const auto plain = readFileBytes(kSourceDir + "/data/esspef.txt");
    EXPECT_EQ(encodeGuideText(plain), readFileBytes(kSourceDir + "/data/esspef.dat"))
        << "run: talvane-cli guide-encode data/esspef.txt data/esspef.dat";
}

TEST(ShippedGuide, LoadsWithoutMessageAndDescribesEverySpeciesFully)
{
    SpeciesGuide guide;
    std::vector<std::string> messages;
    LoadSpeciesGuide(
        kSourceDir + "/data/esspef.dat",
        [&](const std::string& text, const std::string&, unsigned) { messages.push_back(text); }, guide);
    EXPECT_EQ(messages, std::vector<std::string>{});
    EXPECT_GE(guide.size(), 30u);

    std::set<std::string> names;
    std::set<int> places;
    for (const auto& species : guide) {
        for (const auto member : kSectionMembers)
            EXPECT_FALSE((species.get()->*member).empty()) << species->m_strNomBotanique;
        EXPECT_TRUE(species->m_nIntExtCode == 0 || species->m_nIntExtCode == 1) << species->m_strNomBotanique;
        EXPECT_TRUE(names.insert(species->m_strNomBotanique).second) << species->m_strNomBotanique;
        places.insert(species->m_nIntExtCode);
    }
    EXPECT_EQ(places, (std::set<int>{0, 1}));

    // The genera growers ask for first.
    for (const char* genus : {"Acer ", "Juniperus ", "Pinus ", "Ulmus ", "Ficus ", "Rhododendron ", "Olea ",
                              "Zelkova ", "Carmona ", "Portulacaria "}) {
        EXPECT_TRUE(std::any_of(names.begin(), names.end(), [&](const std::string& name) {
            return name.rfind(genus, 0) == 0;
        })) << genus;
    }
}
