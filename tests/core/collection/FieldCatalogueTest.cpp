#include "core/collection/BonsaiData.h"
#include "core/collection/FieldCatalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

using namespace talvane::collection;

// What pages, tables and dumps rely on: no two fields share a name, no two
// controls of a page claim the same control, every field a tab shows has a label to
// show, and a limit sits only where something can be typed.
TEST(FieldCatalogue, NamesControlsAndLabelsLeadToOneFieldEach)
{
    std::set<std::string_view> names;
    std::set<std::pair<Page, int>> controls;
    std::size_t named = 0;
    for (const FieldInfo& info : allFields()) {
        EXPECT_EQ(&field(info.index), &info);
        if (!info.isSpare()) {
            ++named;
            EXPECT_TRUE(names.insert(info.name).second) << info.name;
            EXPECT_STREQ(CBonsaiData::fieldName(info.index), std::string(info.name).c_str());
        }
        if (info.control != 0) {
            EXPECT_TRUE(controls.insert({info.page, info.control}).second) << info.index;
            EXPECT_EQ(fieldOnPage(info.page, info.control), &info);
            EXPECT_FALSE(info.label.empty()) << info.index;
        }
        if (info.kind == Kind::Spare || info.kind == Kind::Journal || info.kind == Kind::PhotoName) {
            EXPECT_EQ(info.typingLimit, 0u) << info.index;
        }
        if (info.reportForm == ReportForm::Line || info.reportForm == ReportForm::PhotoPair) {
            EXPECT_NE(info.reportLabel.find("%s"), std::string_view::npos) << info.index;
        }
    }
    EXPECT_EQ(named, 52u);
    EXPECT_EQ(CBonsaiData::fieldName(CBonsaiData::kFieldCount), nullptr);
    EXPECT_EQ(fieldOnPage(Page::Purchase, 1027), nullptr) << "1027 is a control of other pages";

    // The tabs show the 51 named fields of the form and album pages, the garden's two
    // spare fields and the journal.
    EXPECT_EQ(pageFields().size(), 54u);
    EXPECT_EQ(fieldsOf(Page::Garden).size(), 2u);
    EXPECT_EQ(pageFields().back(), 114u);
    for (const std::size_t index : pageFields())
        EXPECT_NE(field(index).page, Page::NewEntry);
}
