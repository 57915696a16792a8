// A tree is found from its label: the code a person reads off it, or the text its QR
// code holds as a phone's scanner gives it.
#include "ServedCollection.h"

#include "core/labels/TreeLabel.h"
#include "core/companion/ApiJson.h"

#include <gtest/gtest.h>

using namespace talvane::companion;

TEST(CompanionLabels, ALabelsCodeOrQrTextOpensItsTreeAndAnythingElseIsASearch)
{
    ServedCollection served(garden());
    auto phone = served.pairedPhone();
    const std::string code = talvane::labels::treeCode(kMomijiId);
    for (const std::string& typed : {code, std::string("1y7t tpys"), talvane::labels::treeQrText(kMomijiId)}) {
        const auto found = jsonAnswer(phone->get("/api/trees?q=" + urlComponent(typed)), 200, typed);
        EXPECT_EQ(found["labelled"], kMomijiId) << typed;
    }
    for (const std::string& other : {std::string("ZZZZ-ZZZZ"), std::string("talvane:tree/1f8fad5b-d9cb-469f-a165-70867728950e"),
                                     std::string("Elm")}) {
        const auto listed = jsonAnswer(phone->get("/api/trees?q=" + urlComponent(other)), 200, other);
        EXPECT_TRUE(listed["labelled"].is_null()) << other;
    }
    const auto elm = jsonAnswer(phone->get("/api/trees?q=Elm"), 200, "Elm");
    EXPECT_EQ(elm["summary"], "1 of 3 trees");
    ASSERT_EQ(elm["trees"].size(), 1u);
    EXPECT_EQ(elm["trees"][0]["name"], "Elm");
}

TEST(CompanionPort, APortTakenByAnotherServerIsRefusedNotShared)
{
    ServedCollection first(garden());
    MemoryHost host(garden(), first.dir.path());
    CompanionServer second(host);
    ServerOptions options;
    options.bindAddress = "127.0.0.1";
    options.uploadFolder = first.dir.path().string();
    options.port = first.server.port();
    const auto refused = second.start(options);
    ASSERT_TRUE(refused) << "two servers on one port would each get some of the phones' connections";
    EXPECT_NE(refused->find("the port is taken"), std::string::npos) << *refused;
    options.port = 0;
    EXPECT_FALSE(second.start(options)) << "any other port is fine";
    EXPECT_NE(second.port(), first.server.port());
    second.stop();
}
