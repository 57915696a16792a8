#include "core/collection/CollectionFile.h"

#include "support/core/CompanionRun.h"
#include "support/core/ScopedVariable.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>

#include <regex>

using namespace talvane::collection;

// What a service's journal keeps of talvane-cli serve: a line for each change written
// and each request refused, with its time, made safe for a log and free of secrets.
TEST(ServeCommand, TellsStandardErrorOfEachChangeAndEachRefusalOnALineOfItsOwn)
{
    TempDir dir;
    const ScopedVariable config("XDG_CONFIG_HOME", (dir / "config").c_str());
    EntryList entries;
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries[0])[CBonsaiData::Name] = "Momiji\x1B[2J";
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", entries));
    const CompanionRun made = runCompanion(dir, "token trees.tvn --name script");
    ASSERT_EQ(made.status, 0) << made.err;
    const std::string token = made.out.substr(0, made.out.find('\n'));

    RunningCompanion serving(dir, "serve trees.tvn --bind 127.0.0.1");
    const std::string out = serving.outputOnce("Press Ctrl+C");
    std::smatch port;
    ASSERT_TRUE(std::regex_search(out, port, std::regex("on port ([0-9]+)\\."))) << out;
    httplib::Client client("127.0.0.1", std::stoi(port[1].str()));
    client.set_bearer_token_auth(token.c_str());
    const auto trees = client.Get("/api/trees");
    ASSERT_TRUE(trees && trees->status == 200);
    const std::string tree = nlohmann::json::parse(trees->body).at("trees").at(0).at("id").get<std::string>();
    const auto refused = client.Post("/api/trees/x%0Ay%C0/events", {{"Origin", "http://elsewhere.example"}}, "{}",
                                     "application/json");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 403);
    const auto added = client.Post("/api/trees/" + tree + "/events", R"({"kind": "Note", "text": "watered"})",
                                   "application/json");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->status, 201) << added->body;

    const CompanionRun ended = serving.stop();
    EXPECT_EQ(ended.status, 0);
    const std::string time = "20[0-9]{2}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} ";
    EXPECT_TRUE(std::regex_match(ended.err, std::regex(time + "refused 403 POST /api/trees/x\\?y\\?/events from 127\\.0\\.0\\.1: "
                                                              "This request came from another site\\. Nothing was changed\\.\n" +
                                                       time + "Momiji\\?\\[2J: Add event from phone \\(sent by script\\)\n")))
        << ended.err;
    EXPECT_EQ(ended.err.find(token.substr(4)), std::string::npos);
}
