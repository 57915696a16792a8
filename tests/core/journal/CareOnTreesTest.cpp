#include "core/journal/CareOnTrees.h"

#include "support/core/JournalTestTrees.h"

#include <gtest/gtest.h>

using namespace talvane::journal;

namespace {

const CareEvent kWatering{day("2027-07-14"), CareKind::Watering, std::nullopt, {}, "after the heat", {}, {}, {}};

std::vector<JournalChange> changesOf(const std::variant<std::vector<JournalChange>, std::string>& care)
{
    EXPECT_TRUE(std::holds_alternative<std::vector<JournalChange>>(care)) << std::get<std::string>(care);
    return std::get<std::vector<JournalChange>>(care);
}

} // namespace

TEST(CareOnTrees, EachTreeTakesTheEventOnceAfterItsOwnLinesInTheOrderGiven)
{
    talvane::collection::EntryList entries = twoTrees();
    addTree(entries, "Momiji", {});
    const std::string pine((*entries[1])[kJournalField]);

    const auto changes = changesOf(careOnTrees(entries, {2, 1, 2, 1}, kWatering));
    ASSERT_EQ(changes.size(), 2u) << "a tree given twice is logged once";
    EXPECT_EQ(changes[0].entry, 2u);
    EXPECT_EQ(changes[0].journalText, "TVJ1\r\n2027-07-14\tWatering\t\t\tafter the heat");
    EXPECT_EQ(changes[1].entry, 1u);
    EXPECT_EQ(changes[1].journalText, pine + "\r\n2027-07-14\tWatering\t\t\tafter the heat")
        << "its events and its unreadable line kept byte for byte";
    EXPECT_EQ(std::string((*entries[1])[kJournalField]), pine) << "the entries themselves are left as they are";
}

TEST(CareOnTrees, OneTreeThatCannotTakeItRefusesTheWholeCareByName)
{
    const talvane::collection::EntryList entries = twoTrees();
    EXPECT_EQ(std::get<std::string>(careOnTrees(entries, {1, 0}, kWatering)),
              "The journal of \u201C\u00C9rable\u201D was written by another program and is kept as it is; no tree was logged.")
        << "the name said in UTF-8, though the tree after it could be logged";
    EXPECT_EQ(std::get<std::string>(careOnTrees(entries, {1, 2}, kWatering)),
              "The collection holds no tree at position 2 (it has 2, counted from 0); no tree was logged.");
    EXPECT_EQ(std::get<std::string>(careOnTrees(entries, {}, kWatering)), "No tree was chosen: no tree was logged.");
}
