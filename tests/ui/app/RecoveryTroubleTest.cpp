#include "core/collection/RecoveryStore.h"
#include "ui/document/RecoveryKeeper.h"

#include "support/ui/AppFixture.h"

#include <QLabel>
#include <QStatusBar>
#include <QTest>

using namespace talvane::collection;

namespace {

class RecoveryTroubleTest : public AppFixture {
protected:
    void rename(const std::string& name)
    {
        doc().changeFields(0, {{CBonsaiData::Name, name}}, QStringLiteral("Rename"));
    }

    // Written, and its outcome told to the window.
    void keepNow()
    {
        app->recoveryKeeper().writeNow();
        QCoreApplication::processEvents();
    }

    // A regular file where a folder of the path should be: no one, root included, can write below it.
    const std::filesystem::path blocker = recoveryDir / "state";
    const std::filesystem::path folder = blocker / "recovery";
};

} // namespace

TEST_F(RecoveryTroubleTest, UnsavedWorkThatCannotBeKeptIsSaidOnceRetriedAndSaidAgainWhenKept)
{
    writeFileBytes(blocker, "not a folder");
    startOptions.recoveryFolder = folder;
    const auto path = makeCollection("trees.tvn", {"Momiji"});
    ASSERT_TRUE(start(q(path)));
    const RecoveryStore store(folder);

    ui.prompter.expect(mb::kIdOk);
    rename("Typed");
    keepNow();
    ASSERT_EQ(ui.prompter.calls().size(), 1u);
    const PromptCall& warning = ui.prompter.calls().back();
    EXPECT_TRUE(warning.text.startsWith(
        QStringLiteral("Talvane cannot keep your unsaved changes for recovery in %1:\nNot a directory.").arg(q(folder))))
        << warning.text.toStdString();
    EXPECT_EQ(warning.flags, mb::kOk | mb::kIconExclamation);
    QLabel* pane = frame().recoveryPane();
    EXPECT_FALSE(pane->isHidden());
    EXPECT_EQ(pane->text(), QStringLiteral("Unsaved changes are not kept for recovery: Not a directory"));

    // Failing on: no second warning.
    rename("Typed again");
    keepNow();
    EXPECT_EQ(ui.prompter.calls().size(), 1u);
    EXPECT_FALSE(pane->isHidden());

    // The folder can be made again: kept without another change, and said.
    std::filesystem::remove(blocker);
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(store.ownFile()); },
                                3 * RecoveryKeeper::kDelayMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return pane->isHidden(); }));
    EXPECT_EQ(frame().statusBar()->currentMessage(), QStringLiteral("Unsaved changes are kept for recovery again."));

    // A new spell of failures warns anew.
    std::filesystem::remove_all(blocker);
    writeFileBytes(blocker, "not a folder");
    ui.prompter.expect(mb::kIdOk);
    rename("Later");
    keepNow();
    EXPECT_EQ(ui.prompter.calls().size(), 2u);
    EXPECT_FALSE(pane->isHidden());
    EXPECT_TRUE(ui.prompter.allAnswered());
}
