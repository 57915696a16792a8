#include "core/collection/CollectionFile.h"
#include "core/report/ReportPager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace talvane::collection;
using namespace talvane::report;

namespace {

bool blank(const std::string& line)
{
    return line.find_first_not_of(' ') == std::string::npos;
}

std::vector<const CBonsaiData*> pointers(const EntryList& entries)
{
    std::vector<const CBonsaiData*> pointers;
    for (const auto& entry : entries)
        pointers.push_back(entry.get());
    return pointers;
}

} // namespace

TEST(ReportPager, TheSamplesCompleteListHasNoPageOfBlankLinesAndItsPagesAreTheWholeReport)
{
    EntryList entries;
    ASSERT_FALSE(loadCollectionFile(std::filesystem::path(TALVANE_SOURCE_DIR) / "data" / "sample.tvn", entries));
    ReportLines whole;
    for (const auto& entry : entries)
        BuildEntryReport(entry.get(), whole, true);
    ASSERT_EQ(whole.size() % kReportPageLines, 0u);

    ReportPager pager(pointers(entries), true);
    ASSERT_EQ(pager.pageCount(), whole.size() / kReportPageLines);
    ReportLines printed;
    // Asked out of order, as a print dialog's range may ask: each page is made again.
    for (std::size_t page : {std::size_t{3}, std::size_t{1}})
        EXPECT_EQ(pager.pageLines(page).front(), whole[(page - 1) * kReportPageLines]);
    for (std::size_t page = 1; page <= pager.pageCount(); ++page) {
        const auto lines = pager.pageLines(page);
        ASSERT_EQ(lines.size(), kReportPageLines) << page;
        EXPECT_FALSE(std::all_of(lines.begin(), lines.end(), blank)) << "page " << page << " is blank";
        printed.insert(printed.end(), lines.begin(), lines.end());
    }
    EXPECT_EQ(printed, whole);
    EXPECT_TRUE(pager.pageLines(0).empty());
    EXPECT_TRUE(pager.pageLines(pager.pageCount() + 1).empty());
}

TEST(ReportPager, OneEntryKeepsItsOwnLinesAndNothingIsOnePage)
{
    CBonsaiData entry;
    entry[CBonsaiData::Name] = "Maple";
    ReportLines own;
    BuildEntryReport(&entry, own, false);
    ReportPager pager({&entry}, false);
    ASSERT_EQ(own.size(), 89u);
    ASSERT_EQ(pager.pageCount(), 2u);
    const auto last = pager.pageLines(pager.pageCount());
    EXPECT_EQ(last.size(), own.size() - (pager.pageCount() - 1) * kReportPageLines) << "no fill without the complete list";
    EXPECT_EQ(last.back(), own.back());
    // Notes of 32 lines make the report 120 lines: two full pages; one line more starts a third.
    entry[CBonsaiData::PlantNotes] = std::string(31, '\n');
    EXPECT_EQ(ReportPager({&entry}, false).pageCount(), 2u);
    entry[CBonsaiData::PlantNotes] = std::string(32, '\n');
    ReportPager over({&entry}, false);
    ASSERT_EQ(over.pageCount(), 3u);
    EXPECT_EQ(over.pageLines(3).size(), 1u);

    ReportPager nothing({nullptr}, false);
    EXPECT_EQ(nothing.pageCount(), 1u);
    EXPECT_TRUE(nothing.pageLines(1).empty());
    ReportPager none({}, true);
    EXPECT_EQ(none.pageCount(), 1u);
}
