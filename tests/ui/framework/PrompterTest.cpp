#include "ui/framework/UiServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct BoxSeen {
    bool openAfterEscape = false;
    bool openAfterClose = false;
};

// Asks through the program's own prompter; once the box is up, presses Escape, then
// the close button, notes whether the box survived each, and then clicks `answer`
// if the box is still there.
int askAndDismiss(unsigned flags, QMessageBox::StandardButton answer, BoxSeen& seen)
{
    const auto services = UiServices::createQt();
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, Qt::Key_Escape);
        seen.openAfterEscape = box->isVisible();
        if (!seen.openAfterEscape)
            return;
        box->close();
        seen.openAfterClose = box->isVisible();
        if (seen.openAfterClose)
            box->button(answer)->click();
    });
    return services->prompter().ask(QStringLiteral("Do you wish to save this file before exiting:"),
                                    QStringLiteral("Talvane"), flags);
}

} // namespace

TEST(QtPrompter, EscapeAndCloseNeverAnswerAQuestionWithoutCancel)
{
    BoxSeen yesNo;
    EXPECT_EQ(askAndDismiss(mb::kYesNo | mb::kIconQuestion, QMessageBox::Yes, yesNo), mb::kIdYes);
    EXPECT_TRUE(yesNo.openAfterEscape);
    EXPECT_TRUE(yesNo.openAfterClose);

    BoxSeen yesNoCancel;
    EXPECT_EQ(askAndDismiss(mb::kYesNoCancel | mb::kIconQuestion, QMessageBox::Yes, yesNoCancel), mb::kIdCancel);
    EXPECT_FALSE(yesNoCancel.openAfterEscape) << "Escape means Cancel";

    BoxSeen okCancel;
    EXPECT_EQ(askAndDismiss(mb::kOkCancel, QMessageBox::Ok, okCancel), mb::kIdCancel);
}
