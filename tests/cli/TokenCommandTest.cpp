#include "core/collection/CollectionFile.h"
#include "core/companion/ProgramTokens.h"

#include "support/core/CompanionRun.h"
#include "support/core/ScopedVariable.h"

#include <gtest/gtest.h>

#include <regex>

using namespace talvane::collection;

using talvane::companion::ProgramTokens;

TEST(TokenCommand, MakesListsAndRevokesTheTokensTheServerChecks)
{
    TempDir dir;
    const ScopedVariable config("XDG_CONFIG_HOME", (dir / "config").c_str());
    EntryList entries;
    entries.push_back(std::make_unique<CBonsaiData>());
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", entries));
    ProgramTokens tokens(ProgramTokens::fileFor(dir / "trees.tvn"));
    EXPECT_EQ(runCompanion(dir, "token trees.tvn --list").out, "No program has a token for trees.tvn.\n");

    const CompanionRun made = runCompanion(dir, "token trees.tvn --name 'Home dashboard'");
    ASSERT_EQ(made.status, 0) << made.err;
    std::smatch token;
    ASSERT_TRUE(std::regex_match(made.out, token, std::regex("(tvn_[0-9a-f]{32})\n[^\n]*once[^\n]*\"Authorization: Bearer TOKEN\"[^\n]*\n")))
        << made.out;
    EXPECT_EQ(tokens.check(token[1].str()), "Home dashboard") << "the file the window and the server read";
    const std::string dateTime = "20[0-9]{2}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}";
    EXPECT_TRUE(std::regex_match(runCompanion(dir, "token trees.tvn --list").out,
                                 std::regex("Home dashboard\tmade " + dateTime + "\tlast used " + dateTime + "\n")));

    const std::pair<std::string, std::string> refused[] = {
        {"--name 'Home dashboard'", "A program named \u201CHome dashboard\u201D already has a token."},
        {"--name ''", "A program's name cannot be empty."},
        {"--revoke script", "no program named \u201Cscript\u201D has a token for trees.tvn"},
    };
    for (const auto& [arguments, message] : refused) {
        const CompanionRun run = runCompanion(dir, "token trees.tvn " + arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(run.err, "talvane-cli: " + message + "\n") << arguments;
        EXPECT_EQ(run.out, "") << arguments;
    }
    for (const char* wrong : {"token trees.tvn", "token trees.tvn --list --revoke script", "token missing.tvn --list"})
        EXPECT_NE(runCompanion(dir, wrong).status, 0) << wrong;

    const CompanionRun revoked = runCompanion(dir, "token trees.tvn --revoke 'Home dashboard'");
    EXPECT_EQ(revoked.out, "The token of \u201CHome dashboard\u201D no longer works.\n") << revoked.err;
    EXPECT_FALSE(tokens.check(token[1].str()));
}
