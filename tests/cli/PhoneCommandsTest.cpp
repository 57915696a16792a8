#include "core/collection/CollectionFile.h"
#include "core/companion/ServingRecord.h"

#include "support/core/CompanionRun.h"
#include "support/core/ScopedVariable.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <csignal>
#include <fcntl.h>
#include <regex>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

using namespace talvane::collection;

extern char** environ;

using talvane::companion::ServingRecord;

namespace {

// `talvane-cli serve FILE` running in the folder until it goes out of scope, stopped
// then as the service manager stops it.
class BackgroundServe {
public:
    BackgroundServe(const TempDir& dir, const std::string& file)
    {
        const std::string cli = (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "talvane-cli").string();
        const std::string out = (dir / ".serve").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, out.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        const std::string path = (dir / file).string();
        const char* arguments[] = {cli.c_str(), "serve", path.c_str(), "--bind", "127.0.0.1", nullptr};
        EXPECT_EQ(posix_spawn(&m_pid, cli.c_str(), &actions, nullptr, const_cast<char**>(arguments), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!(served = ServingRecord::read(ServingRecord::fileFor(dir / file))) && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_TRUE(served) << "the server did not start: " << readFileBytes(out);
    }

    ~BackgroundServe() { stop(); }

    int stop()
    {
        int status = -1;
        if (m_pid > 0 && ::kill(m_pid, SIGTERM) == 0 && ::waitpid(m_pid, &status, 0) == m_pid)
            m_pid = 0;
        return status;
    }

    std::optional<talvane::companion::ServedAt> served;

private:
    pid_t m_pid = 0;
};

int status(httplib::Client& phone, const std::string& path, const std::string& cookie)
{
    const auto answer = phone.Get(path, {{"Cookie", cookie}});
    return answer ? answer->status : 0;
}

} // namespace

TEST(PhoneCommands, PairMakesACodeTheRunningServerAcceptsAndPhonesRenamesAndRevokes)
{
    TempDir dir;
    const ScopedVariable config("XDG_CONFIG_HOME", (dir / "config").c_str());
    const ScopedVariable runtime("XDG_RUNTIME_DIR", (dir / "runtime").c_str());
    EntryList entries;
    entries.push_back(std::make_unique<CBonsaiData>());
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", entries));
    const std::string nothingServes = "talvane-cli: nothing serves trees.tvn: start \u201Ctalvane-cli serve trees.tvn\u201D, "
                                      "or share it from the window, first\n";
    const CompanionRun alone = runCompanion(dir, "pair trees.tvn");
    EXPECT_EQ(alone.status, 1);
    EXPECT_EQ(alone.err, nothingServes);
    EXPECT_EQ(alone.out, "");

    BackgroundServe serve(dir, "trees.tvn");
    ASSERT_TRUE(serve.served);
    const CompanionRun paired = runCompanion(dir, "pair trees.tvn");
    ASSERT_EQ(paired.status, 0) << paired.err;
    std::smatch code;
    ASSERT_TRUE(std::regex_search(paired.out, code, std::regex("^Open this address on the phone, or scan the code, within 10 "
                                                              "minutes:\nhttp://127\\.0\\.0\\.1:([0-9]+)(/pair/[0-9a-f]{32})\n")))
        << paired.out;
    EXPECT_EQ(code[1].str(), std::to_string(serve.served->port));
    EXPECT_NE(paired.out.find("\u2588"), std::string::npos) << "the QR code follows";

    httplib::Client phone("127.0.0.1", serve.served->port);
    const auto pairing = phone.Get(code[2].str(), {{"User-Agent", "Mozilla/5.0 (iPhone; CPU iPhone OS 17_0) Safari/604.1"}});
    ASSERT_TRUE(pairing && pairing->status == 200);
    const std::string cookie = pairing->get_header_value("Set-Cookie").substr(0, 48);
    EXPECT_EQ(status(phone, "/api/trees", cookie), 200);

    const std::string dateTime = "20[0-9]{2}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}";
    EXPECT_TRUE(std::regex_match(runCompanion(dir, "phones trees.tvn").out,
                                 std::regex("Safari on iPhone\tpaired " + dateTime + "\tlast request " + dateTime + "\n")));
    EXPECT_EQ(runCompanion(dir, "phones trees.tvn --rename 'Safari on iPhone' 'Garden phone'").out,
              "\u201CSafari on iPhone\u201D is now called \u201CGarden phone\u201D.\n");
    const std::pair<std::string, std::string> refused[] = {
        {"--rename 'Safari on iPhone' Balcony", "No phone named \u201CSafari on iPhone\u201D is paired."},
        {"--rename 'Garden phone' ' '", "A phone's name cannot be empty."},
        {"--revoke Balcony", "no phone named \u201CBalcony\u201D is paired with trees.tvn"},
    };
    for (const auto& [arguments, message] : refused) {
        const CompanionRun run = runCompanion(dir, "phones trees.tvn " + arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(run.err, "talvane-cli: " + message + "\n") << arguments;
    }
    EXPECT_EQ(status(phone, "/api/trees", cookie), 200) << "renamed, still paired";
    EXPECT_EQ(runCompanion(dir, "phones trees.tvn --revoke 'Garden phone'").out,
              "\u201CGarden phone\u201D is no longer paired: its pages and calendar stop working.\n");
    EXPECT_EQ(status(phone, "/api/trees", cookie), 401) << "the server reads the revoke at the next request";
    EXPECT_EQ(runCompanion(dir, "phones trees.tvn").out, "No phone is paired with trees.tvn.\n");

    EXPECT_EQ(serve.stop(), 0);
    EXPECT_EQ(runCompanion(dir, "pair trees.tvn").err, nothingServes) << "the server's note goes with it";
}
