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
    void StartOnTrees()
    {
        ASSERT_TRUE(Start(Q(MakeCollection("trees.tvn", {"Momiji"}, [](CBonsaiData& entry, std::size_t) {
            entry[kJournalField] = JournalTextOf({DueIn(-20, "unwire", CareKind::WireRemoval)});
        }))));
    }

    // Opens Care due and clicks its calendar box, which must be enabled.
    void ClickCalendarBox(bool expectChecked, const std::string& calendar = "trees.ics")
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

    void ChangeTask(const std::string& text)
    {
        doc().changeFields(0, {{kJournalField, JournalTextOf({DueIn(3, text, CareKind::Repotting)})}}, QStringLiteral("Update"));
    }

    std::string Calendar(const std::string& name = "trees.ics") const
    {
        return std::filesystem::exists(dir / name) ? ReadFileBytes(dir / name) : std::string();
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
    StartOnTrees();
    ChangeTask("before");
    ASSERT_TRUE(doc().OnFileSave());
    EXPECT_FALSE(std::filesystem::exists(dir / "trees.ics")) << "not asked for";

    ClickCalendarBox(true);
    EXPECT_NE(Calendar().find("SUMMARY:Momiji: Repotting\\, before"), std::string::npos) << "written at once" << Calendar();
    ChangeTask("after");
    ASSERT_TRUE(doc().OnFileSave());
    EXPECT_NE(Calendar().find("SUMMARY:Momiji: Repotting\\, after"), std::string::npos) << Calendar();
    EXPECT_EQ(Calendar().find("before"), std::string::npos);

    ClickCalendarBox(false);
    ChangeTask("unkept");
    ASSERT_TRUE(doc().OnFileSave());
    EXPECT_EQ(Calendar().find("unkept"), std::string::npos);

    ChangeTask("unsaved");
    ClickCalendarBox(true);
    EXPECT_EQ(Calendar().find("unsaved"), std::string::npos) << "a change not saved stays out of the calendar";
    ASSERT_TRUE(doc().OnFileSave());
    EXPECT_NE(Calendar().find("unsaved"), std::string::npos);
    EXPECT_TRUE(ui.prompter.calls().empty());
}

TEST_F(CareCalendarBesideTest, SaveAsTakesTheCalendarAlong)
{
    StartOnTrees();
    ClickCalendarBox(true);
    ui.files.expect(Q(dir / "copy.tvn"));
    doc().onFileSaveAs();
    EXPECT_NE(Calendar("copy.ics").find("SUMMARY:Momiji: Wire removal\\, unwire"), std::string::npos);
    EXPECT_TRUE(CareCalendarBeside::isKept(Q(dir / "copy.tvn")));
    EXPECT_TRUE(CareCalendarBeside::isKept(Q(dir / "trees.tvn"))) << "the first file keeps its choice";

    ClickCalendarBox(false, "copy.ics");
    ui.files.expect(Q(dir / "other.tvn"));
    doc().onFileSaveAs();
    EXPECT_FALSE(std::filesystem::exists(dir / "other.ics"));
}

TEST_F(CareCalendarBesideTest, ACalendarThatCannotBeWrittenLeavesTheSaveAndIsSaid)
{
    StartOnTrees();
    std::filesystem::create_directory(dir / "trees.ics");
    ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
    ClickCalendarBox(false);
    ASSERT_EQ(ui.prompter.calls().size(), 1u);
    const QString reason = QStringLiteral("The care calendar cannot be written to ") + Q(dir / "trees.ics") + QStringLiteral(": ");
    EXPECT_TRUE(ui.prompter.calls()[0].text.startsWith(reason)) << ui.prompter.calls()[0].text.toStdString();
    EXPECT_FALSE(CareCalendarBeside::isKept(doc().pathName()));

    ChangeTask("saved anyway");
    ClickCalendarBox(true);
    frame().action(cmd::kFileSave)->trigger();
    EXPECT_FALSE(doc().IsModified());
    EXPECT_NE(ReadFileBytes(dir / "trees.tvn").find("saved anyway"), std::string::npos);
    EXPECT_TRUE(frame().statusBar()->currentMessage().startsWith(QStringLiteral("The collection was saved. ") + reason))
        << frame().statusBar()->currentMessage().toStdString();
}
