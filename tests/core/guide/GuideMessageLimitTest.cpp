#include "core/guide/GuideMessageLimit.h"

#include "core/guide/GuideShift.h"

#include "support/core/CompanionRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <functional>
#include <tuple>
#include <vector>

using namespace talvane::guide;

namespace {

using Shown = std::tuple<std::string, std::string, unsigned>;

struct Screen {
    std::vector<Shown> boxes;
    GuideMessageSink sink()
    {
        return [this](const std::string& text, const std::string& caption, unsigned flags) {
            boxes.emplace_back(text, caption, flags);
        };
    }
};

// Sends `count` numbered messages through a limit that shows `shown`, then finishes
// twice: the count is told once.
std::vector<Shown> limited(std::size_t count, std::size_t shown = kShownGuideMessages)
{
    Screen screen;
    GuideMessageLimit limit("esspef.dat", screen.sink(), shown);
    for (std::size_t i = 0; i < count; ++i)
        limit("message " + std::to_string(i), i == 0 ? "first" : "Attention", i == 0 ? 0x10 : 0x30);
    limit.finish();
    limit.finish();
    return screen.boxes;
}

} // namespace

TEST(GuideMessageLimit, ShowsTheFirstMessagesAsTheyAreThenCountsTheRestOnce)
{
    EXPECT_EQ(limited(0), std::vector<Shown>{});
    EXPECT_EQ(limited(2), (std::vector<Shown>{{"message 0", "first", 0x10}, {"message 1", "Attention", 0x30}}));
    EXPECT_EQ(limited(5).size(), 5u) << "no summary when nothing was held back";

    const auto six = limited(6);
    ASSERT_EQ(six.size(), 6u);
    EXPECT_EQ(six[4], Shown("message 4", "Attention", 0x30));
    EXPECT_EQ(six[5], Shown("1 more message about esspef.dat was not shown.", "Attention", 0x30));

    EXPECT_EQ(limited(3000).back(), Shown("2,995 more messages about esspef.dat were not shown.", "Attention", 0x30));
    EXPECT_EQ(std::get<0>(limited(1000).back()), "995 more messages about esspef.dat were not shown.");
    EXPECT_EQ(std::get<0>(limited(1005).back()), "1,000 more messages about esspef.dat were not shown.");
    EXPECT_EQ(limited(1'234'568, 1), (std::vector<Shown>{{"message 0", "first", 0x10},
                                                          {"1,234,567 more messages about esspef.dat were not shown.",
                                                           "Attention", 0x30}}));
}

TEST(GuideMessageLimit, AHostileGuideGivesAFewBoxesAndTheCountOfTheOthers)
{
    // Two thousand block lines: each block misses its thirteen sections and uses up the
    // separator after it.
    std::string plain;
    for (int i = 0; i < 2000; ++i)
        plain += "//////////////\n";
    const auto file = encodeGuideText(plain);
    ASSERT_TRUE(file);

    Screen all;
    SpeciesGuide guide;
    parseSpeciesGuide(*file, guide, all.sink());
    ASSERT_EQ(all.boxes.size(), 13'000u);

    Screen screen;
    GuideMessageLimit limit("esspef.dat", screen.sink());
    parseSpeciesGuide(*file, guide, std::ref(limit));
    limit.finish();
    ASSERT_EQ(screen.boxes.size(), kShownGuideMessages + 1);
    for (std::size_t i = 0; i < kShownGuideMessages; ++i)
        EXPECT_EQ(screen.boxes[i], all.boxes[i]);
    EXPECT_EQ(screen.boxes.back(), Shown("12,995 more messages about esspef.dat were not shown.", "Attention", 0x10u));

    TempDir dir;
    writeFileBytes(dir / "esspef.dat", *file);
    const CompanionRun listed = runCompanion(dir, "guide esspef.dat");
    ASSERT_EQ(listed.status, 0) << listed.err;
    const auto messages = nlohmann::json::parse(listed.out)["messages"];
    EXPECT_EQ(messages.size(), 13'000u) << "the command lists every message";
    EXPECT_EQ(messages.back(), "Le champs existe pas");
}
