#include "ui/app/CommandIds.h"
#include "ui/journal/CareCalendarBeside.h"
#include "ui/journal/CareDueDlg.h"

#include "support/core/JournalTestTrees.h"
#include "support/ui/AppFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QStatusBar>

using namespace talvane::journal;

namespace {

class CareCalendarBesideTest : public AppFixture {
protected:
    void startOnTrees()
    {
        ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Momiji"}, [](CBonsaiData& entry, std::size_t) {
            entry[kJournalField] = journalTextOf({dueIn(-20, "unwire", CareKind::WireRemoval)});
        }))));
    }

    // Opens Care due and clicks its calendar box, which must be enabled.
    void clickCalendarBox(bool expectChecked, const std::string& calendar = "trees.ics")
    {
        ui.dialogs.expect([expectChecked, calendar](QDialog& dialog) {
            QCheckBox* box = dynamic_cast<CareDueDlg&>(dialog).keepCalendarBox();
            EXPECT_TRUE(box->isEnabled());
            EXPECT_EQ(box->text(), QStringLiteral("Keep a care &calendar beside the collection"));
            EXPECT_EQ(box->toolTip().toStdString(), "Every save also writes " + calendar + " in the collection's folder.");
            box->click();
            EXPECT_EQ(box->isChecked(), expectChecked);
            return int(QDialog::Rejected);
        });
        frame().action(cmd::kViewCareDue)->trigger();
    }

    void changeTask(const std::string& text)
    {
        doc().changeFields(0, {{kJournalField, journalTextOf({dueIn(3, text, CareKind::Repotting)})}}, QStringLiteral("Update"));
    }

    std::string calendar(const std::string& name = "trees.ics") const
    {
        return std::filesystem::exists(dir / name) ? readFileBytes(dir / name) : std::string();
    }
};

} // namespace

TEST(CareCalendarBeside, IsTheCollectionsNameWithTheCalendarsSuffix)
{
    EXPECT_EQ(CareCalendarBeside::calendarPath(QStringLiteral("/home/ann/trees.tvn")), QStringLiteral("/home/ann/trees.ics"));
    EXPECT_EQ(CareCalendarBeside::calendarPath(QStringLiteral("/home/ann/old.trees.tvn")), QStringLiteral("/home/ann/old.trees.ics"));
    EXPECT_EQ(CareCalendarBeside::calendarPath(QStringLiteral("/home/ann/trees")), QStringLiteral("/home/ann/trees.ics"));
}

TEST_F(CareCalendarBesideTest, OnceAskedEverySaveWritesTheCalendarAndAnUnsavedCollectionWaitsForItsSave)
{
    startOnTrees();
    changeTask("before");
    ASSERT_TRUE(doc().OnFileSave());
    EXPECT_FALSE(std::filesystem::exists(dir / "trees.ics")) << "not asked for";

    clickCalendarBox(true);
    EXPECT_NE(calendar().find("SUMMARY:Momiji: Repotting\\, before"), std::string::npos) << "written at once" << calendar();
    changeTask("after");
    ASSERT_TRUE(doc().OnFileSave());
    EXPECT_NE(calendar().find("SUMMARY:Momiji: Repotting\\, after"), std::string::npos) << calendar();
    EXPECT_EQ(calendar().find("before"), std::string::npos);

    clickCalendarBox(false);
    changeTask("unkept");
    ASSERT_TRUE(doc().OnFileSave());
    EXPECT_EQ(calendar().find("unkept"), std::string::npos);

    changeTask("unsaved");
    clickCalendarBox(true);
    EXPECT_EQ(calendar().find("unsaved"), std::string::npos) << "a change not saved stays out of the calendar";
    ASSERT_TRUE(doc().OnFileSave());
    EXPECT_NE(calendar().find("unsaved"), std::string::npos);
    EXPECT_TRUE(ui.prompter.calls().empty());
}

TEST_F(CareCalendarBesideTest, SaveAsTakesTheCalendarAlong)
{
    startOnTrees();
    clickCalendarBox(true);
    ui.files.expect(q(dir / "copy.tvn"));
    doc().onFileSaveAs();
    EXPECT_NE(calendar("copy.ics").find("SUMMARY:Momiji: Wire removal\\, unwire"), std::string::npos);
    EXPECT_TRUE(CareCalendarBeside::isKept(q(dir / "copy.tvn")));
    EXPECT_TRUE(CareCalendarBeside::isKept(q(dir / "trees.tvn"))) << "the first file keeps its choice";

    clickCalendarBox(false, "copy.ics");
    ui.files.expect(q(dir / "other.tvn"));
    doc().onFileSaveAs();
    EXPECT_FALSE(std::filesystem::exists(dir / "other.ics"));
}

TEST_F(CareCalendarBesideTest, ACalendarThatCannotBeWrittenLeavesTheSaveAndIsSaid)
{
    startOnTrees();
    std::filesystem::create_directory(dir / "trees.ics");
    ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
    clickCalendarBox(false);
    ASSERT_EQ(ui.prompter.calls().size(), 1u);
    const QString reason = QStringLiteral("The care calendar cannot be written to ") + q(dir / "trees.ics") + QStringLiteral(": ");
    EXPECT_TRUE(ui.prompter.calls()[0].text.startsWith(reason)) << ui.prompter.calls()[0].text.toStdString();
    EXPECT_FALSE(CareCalendarBeside::isKept(doc().pathName()));

    changeTask("saved anyway");
    clickCalendarBox(true);
    frame().action(cmd::kFileSave)->trigger();
    doc().settleSave();
    EXPECT_FALSE(doc().IsModified());
    EXPECT_NE(readFileBytes(dir / "trees.tvn").find("saved anyway"), std::string::npos);
    EXPECT_TRUE(frame().statusBar()->currentMessage().startsWith(QStringLiteral("The collection was saved. ") + reason))
        << frame().statusBar()->currentMessage().toStdString();
}
