// A program's API token works from its making to its revoking, whichever process made
// or revoked it, and is never kept itself.
#include "core/companion/ProgramTokens.h"

#include "core/collection/Sha256.h"
#include "support/core/ScopedVariable.h"
#include "support/core/TempDir.h"

#include <gtest/gtest.h>

#include <regex>
#include <sys/stat.h>

using namespace talvane::collection;

using namespace talvane::companion;
using namespace std::chrono_literals;

namespace {

class ProgramTokensTest : public ::testing::Test {
protected:
    std::string made(ProgramTokens& tokens, std::string_view name)
    {
        const MadeToken result = tokens.make(name);
        EXPECT_TRUE(std::holds_alternative<std::string>(result)) << name;
        return std::holds_alternative<std::string>(result) ? std::get<std::string>(result) : std::string();
    }

    static std::string refusal(const MadeToken& result)
    {
        const auto* text = std::get_if<PhoneText>(&result);
        return text ? text->said(inEnglish) : "made";
    }

    TempDir m_dir;
    const ScopedVariable m_config{"XDG_CONFIG_HOME", (m_dir / "config").c_str()};
    const std::filesystem::path m_file = ProgramTokens::fileFor(m_dir / "trees.tvn");
    std::chrono::system_clock::time_point m_now = std::chrono::system_clock::time_point(1'790'000'000s);
    ProgramTokens m_tokens{m_file, [this] { return m_now; }};
};

} // namespace

TEST_F(ProgramTokensTest, TheFileIsTheUsersOwnBesideTheSettingsNamedByTheCollectionsPath)
{
    EXPECT_EQ(m_file.parent_path(), m_dir / "config" / "talvane" / "sharing");
    EXPECT_TRUE(std::regex_match(m_file.filename().string(), std::regex("[0-9a-f]{32}\\.json")));
    EXPECT_EQ(ProgramTokens::fileFor(m_dir / "photos" / ".." / "." / "trees.tvn"), m_file);
    EXPECT_NE(ProgramTokens::fileFor(m_dir / "other.tvn"), m_file);
    {
        const ScopedVariable relative("XDG_CONFIG_HOME", "config");
        const ScopedVariable home("HOME", m_dir.path().c_str());
        EXPECT_EQ(ProgramTokens::fileFor(m_dir / "trees.tvn"), m_dir / ".config" / "talvane" / "sharing" / m_file.filename());
    }
    made(m_tokens, "dashboard");
    struct stat status {};
    ASSERT_EQ(::stat(m_file.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    ASSERT_EQ(::stat(m_file.parent_path().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0700u);
}

TEST_F(ProgramTokensTest, ATokenWorksUntilRevokedAndOnlyItsHashIsKept)
{
    EXPECT_EQ(m_tokens.list().size(), 0u) << "no file, no tokens";
    EXPECT_FALSE(m_tokens.failure());
    const std::string dashboard = made(m_tokens, "Tableau de bord \u00E9t\u00E9");
    const std::string script = made(m_tokens, "script");
    EXPECT_TRUE(std::regex_match(dashboard, std::regex("tvn_[0-9a-f]{32}")));
    EXPECT_NE(dashboard, script);
    const std::string stored = readFileBytes(m_file);
    EXPECT_EQ(stored.find(dashboard.substr(4)), std::string::npos);
    EXPECT_NE(stored.find(sha256Hex(dashboard)), std::string::npos);

    EXPECT_EQ(m_tokens.check(script), "script");
    EXPECT_EQ(m_tokens.check(dashboard), "Tableau de bord \u00E9t\u00E9");
    for (const std::string& wrong : {std::string(), script.substr(0, 35), script + "0", sha256Hex(script), "tvn_" + std::string(32, '0')})
        EXPECT_FALSE(m_tokens.check(wrong)) << wrong;
    EXPECT_EQ(refusal(m_tokens.make("script")), "A program named \u201Cscript\u201D already has a token.");

    // A use is written at most once an hour.
    const auto firstUse = m_now;
    m_now += 59min;
    const std::string noted = readFileBytes(m_file);
    EXPECT_EQ(m_tokens.check(script), "script");
    EXPECT_EQ(readFileBytes(m_file), noted);
    m_now += 2min;
    EXPECT_EQ(m_tokens.check(script), "script");
    const std::vector<ProgramToken> listed = m_tokens.list();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].made, firstUse);
    EXPECT_EQ(listed[0].lastUsed, firstUse);
    EXPECT_EQ(listed[1].name, "script");
    EXPECT_EQ(listed[1].lastUsed, m_now);

    EXPECT_TRUE(m_tokens.revoke("script"));
    EXPECT_FALSE(m_tokens.check(script));
    EXPECT_EQ(m_tokens.check(dashboard), "Tableau de bord \u00E9t\u00E9");
    EXPECT_FALSE(m_tokens.revoke("script"));
    EXPECT_FALSE(m_tokens.failure());
}

TEST_F(ProgramTokensTest, AnotherProcesssTokensWorkAtTheNextRequest)
{
    ProgramTokens server(m_file);
    EXPECT_FALSE(server.check("tvn_" + std::string(32, '0')));
    const std::string first = made(m_tokens, "dashboard");
    EXPECT_EQ(server.check(first), "dashboard");
    const std::string second = made(m_tokens, "script");
    EXPECT_EQ(server.check(second), "script");
    // Each writes over what the other wrote last: the server's note of a use does not
    // bring back what the other revoked.
    m_tokens.revoke("dashboard");
    EXPECT_FALSE(server.check(first));
    EXPECT_EQ(m_tokens.list().size(), 1u);
    std::filesystem::remove(m_file);
    EXPECT_FALSE(server.check(second));
}

TEST_F(ProgramTokensTest, BadNamesAreRefusedAndWriteNothing)
{
    EXPECT_EQ(refusal(m_tokens.make(std::string(60, 'x'))), "made");
    EXPECT_EQ(refusal(m_tokens.make(std::string(60, 'y').replace(0, 1, "\u00E9"))), "made") << "60 characters, 61 bytes";
    const std::string before = readFileBytes(m_file);
    const std::pair<std::string, std::string> refused[] = {
        {"", "A program's name cannot be empty."},
        {"   ", "A program's name cannot be empty."},
        {std::string(61, 'z'), "A program's name is at most 60 characters long."},
        {"one\ttwo", "A program's name cannot hold line breaks, tabs or other control characters."},
        {"one\ntwo", "A program's name cannot hold line breaks, tabs or other control characters."},
        {"next\xC2\x85line", "A program's name cannot hold line breaks, tabs or other control characters."},
        {"caf\xE9", "A program's name must be UTF-8 text."},
        {"\xC0\xAF", "A program's name must be UTF-8 text."},
        {"\xED\xA0\x80", "A program's name must be UTF-8 text."},
        {"cut\xE2\x82", "A program's name must be UTF-8 text."},
    };
    for (const auto& [name, message] : refused)
        EXPECT_EQ(refusal(m_tokens.make(name)), message) << name;
    EXPECT_EQ(readFileBytes(m_file), before);
    EXPECT_EQ(m_tokens.list().size(), 2u);
}

TEST_F(ProgramTokensTest, ADamagedFileHoldsNoTokensAndIsLeftAsItIs)
{
    const std::string token = made(m_tokens, "dashboard");
    const std::string good = readFileBytes(m_file);
    const std::string hash = sha256Hex(token);
    const std::string damaged[] = {
        "",
        "not json",
        good.substr(0, good.size() / 2),
        "[]",
        R"({"version": 1, "tokens": {}})",
        R"({"version": 2, "tokens": [{"name": "dashboard", "sha256": ")" + hash + R"(", "made": 1}]})",
        R"({"version": 1, "tokens": [{"name": "dashboard", "sha256": ")" + hash.substr(1) + R"(", "made": 1}]})",
        R"({"version": 1, "tokens": [{"name": 7, "sha256": ")" + hash + R"(", "made": 1}]})",
        R"({"version": 1, "tokens": [{"name": "dashboard", "sha256": ")" + hash + R"(", "made": "today"}]})",
    };
    const std::string message = "The tokens file " + m_file.string() +
                                " is damaged, so none of its tokens works. It was left as it is: remove it to make new tokens.";
    for (const std::string& bytes : damaged) {
        writeFileBytes(m_file, bytes);
        EXPECT_FALSE(m_tokens.check(token)) << bytes;
        EXPECT_TRUE(m_tokens.list().empty()) << bytes;
        EXPECT_EQ(m_tokens.failure() ? m_tokens.failure()->said(inEnglish) : "", message) << bytes;
        EXPECT_EQ(refusal(m_tokens.make("script")), message) << bytes;
        EXPECT_FALSE(m_tokens.revoke("dashboard")) << bytes;
        EXPECT_EQ(readFileBytes(m_file), bytes);
    }
    writeFileBytes(m_file, good);
    EXPECT_EQ(m_tokens.check(token), "dashboard");
    EXPECT_FALSE(m_tokens.failure());
}
