#include "core/companion/TreePageLink.h"

#include "ServedCollection.h"
#include "support/core/JournalTestTrees.h"

#include <gtest/gtest.h>

using namespace talvane::collection;

using talvane::companion::treePageLink;

TEST(TreePageLink, LeadsAPairedPhoneToTheTreesPageAndIsNoneWithoutOne)
{
    EntryList entries;
    addTree(entries, "Pine", {});
    addTree(entries, "Momiji", {});
    ServedCollection served(std::move(entries));
    const auto snapshot = served.host.snapshot();
    EXPECT_FALSE(treePageLink(served.server, snapshot->entries(), 1)) << "no phone paired yet";

    const auto phone = served.pairedPhone();
    const auto link = treePageLink(served.server, snapshot->entries(), 1);
    ASSERT_TRUE(link);
    const std::string page = "http://127.0.0.1:" + std::to_string(served.server.port()) + "/tree/";
    ASSERT_TRUE(link->starts_with(page)) << *link;
    const std::string ref = link->substr(page.size());
    EXPECT_EQ(phone->get("/tree/" + ref)->status, 200);
    EXPECT_EQ(jsonAnswer(phone->get(treeApi(ref)), 200, "the tree linked").value("name", ""), "Momiji");

    served.server.stop();
    EXPECT_FALSE(treePageLink(served.server, snapshot->entries(), 1)) << "no longer shared";
}
