#include "support/ui/AppFixture.h"

namespace {

using GuideMessagesTest = AppFixture;

} // namespace

TEST_F(GuideMessagesTest, AHostileGuideShowsFiveBoxesAndOneCountOfTheRest)
{
    // Two thousand shifted block lines: a thousand blocks that each miss all thirteen sections.
    std::string guide;
    for (int i = 0; i < 2000; ++i)
        guide += std::string(14, '\x31') + "\n";
    writeFileBytes(dir / "esspef.dat", guide);
    for (int box = 0; box < 5; ++box)
        ui.prompter.expect(mb::kIdOk, QStringLiteral("Le champs existe pas"), QStringLiteral("Attention"), 0x10);
    ui.prompter.expect(mb::kIdOk, QStringLiteral("12,995 more messages about esspef.dat were not shown."),
                       QStringLiteral("Attention"), 0x10);
    ASSERT_TRUE(start());
    EXPECT_EQ(ui.prompter.calls().size(), 6u);
    EXPECT_TRUE(ui.prompter.allAnswered());
    EXPECT_TRUE(frame().isVisible());
}
