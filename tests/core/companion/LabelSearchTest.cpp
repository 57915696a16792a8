// A tree is found from its label: the code a person reads off it, or the text its QR
// code holds as a phone's scanner gives it.
#include "ServedCollection.h"

#include "labels/TreeLabel.h"
#include "companion/Html.h"

#include <gtest/gtest.h>

using namespace talvane::companion;

TEST(CompanionLabels, ALabelsCodeOrQrTextOpensItsTreeAndAnythingElseIsASearch)
{
    ServedCollection served(Garden());
    auto phone = served.pairedPhone();
    const std::string code = talvane::treeCode(kMomijiId);
    for (const std::string& typed : {code, std::string("1y7t tpys"), talvane::treeQrText(kMomijiId)}) {
        const auto found = phone->get("/trees?q=" + urlComponent(typed));
        ASSERT_TRUE(found) << typed;
        EXPECT_EQ(found->status, 303) << typed;
        EXPECT_EQ(found->get_header_value("Location"), kMomijiPage) << typed;
    }
    for (const std::string& other : {std::string("ZZZZ-ZZZZ"), std::string("talvane:tree/1f8fad5b-d9cb-469f-a165-70867728950e"),
                                     std::string("Elm")}) {
        const auto listed = phone->get("/trees?q=" + urlComponent(other));
        ASSERT_TRUE(listed) << other;
        EXPECT_EQ(listed->status, 200) << other;
    }
    const auto elm = phone->get("/trees?q=Elm");
    ASSERT_TRUE(elm);
    EXPECT_NE(elm->body.find("1 of 3 trees"), std::string::npos);
}

TEST(CompanionPort, APortTakenByAnotherServerIsRefusedNotShared)
{
    ServedCollection first(Garden());
    MemoryHost host(Garden(), first.dir.path());
    CompanionServer second(host);
    const auto refused = second.start({.bindAddress = "127.0.0.1", .port = first.server.port(), .uploadFolder = first.dir.path().string()});
    ASSERT_TRUE(refused) << "two servers on one port would each get some of the phones' connections";
    EXPECT_NE(refused->find("the port is taken"), std::string::npos) << *refused;
    EXPECT_FALSE(second.start({.bindAddress = "127.0.0.1", .uploadFolder = first.dir.path().string()}))
        << "any other port is fine";
    EXPECT_NE(second.port(), first.server.port());
    second.stop();
}
