#include "core/labels/TreeLabel.h"

#include <gtest/gtest.h>

using namespace talvane;

namespace {

const std::string kId = "0f8fad5b-d9cb-469f-a165-70867728950e";

} // namespace

TEST(TreeLabel, TheCodeIsTheIdentifiersFirstFortyBitsAndIsReadBackAsPeopleTypeIt)
{
    EXPECT_EQ(talvane::labels::treeCode(kId), "1Y7T-TPYS");
    EXPECT_EQ(talvane::labels::treeCode("ffffffff-ff00-4000-8000-000000000000"), "ZZZZ-ZZZZ");
    EXPECT_EQ(talvane::labels::treeCode("00000000-0000-4000-8000-000000000000"), "0000-0000");
    for (const char* notAnId : {"", "0F8FAD5B-D9CB-469F-A165-70867728950E", "0f8fad5b", "at3-0123456789abcdef"})
        EXPECT_EQ(talvane::labels::treeCode(notAnId), "") << notAnId;

    for (const char* typed : {"1Y7T-TPYS", "1y7t tpys", " 1Y7TTPYS ", "ly7t-tpys", "Iy7t-tpys", "1Y7T--TPYS"})
        EXPECT_EQ(talvane::labels::typedTreeCode(typed), "1Y7T-TPYS") << typed;
    EXPECT_EQ(talvane::labels::typedTreeCode("oooo-oooo"), "0000-0000");
    for (const char* wrong : {"", "1Y7T-TPY", "1Y7T-TPYSX", "1Y7U-TPYS", "1Y7T_TPYS", "momiji", "1Y7T-TPY\xC9"})
        EXPECT_EQ(talvane::labels::typedTreeCode(wrong), std::nullopt) << wrong;
}

TEST(TreeLabel, TheQrTextNamesTheIdentifierAndNothingElseIsTakenForIt)
{
    EXPECT_EQ(talvane::labels::treeQrText(kId), "talvane:tree/" + kId);
    EXPECT_EQ(talvane::labels::treeIdFromQrText(talvane::labels::treeQrText(kId)), kId);
    EXPECT_EQ(talvane::labels::treeIdFromQrText("  talvane:tree/" + kId + "\n"), kId);
    for (const std::string& other : {std::string("talvane:tree/"), "talvane:tree/" + kId + "x", "TALVANE:tree/" + kId,
                                     "http://x/tree/" + kId, kId, std::string("talvane:tree/../../etc/passwd")})
        EXPECT_EQ(talvane::labels::treeIdFromQrText(other), std::nullopt) << other;
}
