#include "ui/framework/DialogTemplate.h"
#include "ui/framework/DialogUnits.h"
#include "ui/framework/FullTextTip.h"
#include "ui/framework/WholeLineTextBox.h"

#include "support/ui/TextBoxLines.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTextEdit>
#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// The fonts a box is tried at: the dialogs' own and a large one.
std::vector<QFont> twoFonts()
{
    QFont large = DialogUnits::dialogFont();
    large.setPointSize(17);
    return {DialogUnits::dialogFont(), large};
}

// A height at which a box of this font would show three and a half lines of text.
int heightForThreeLinesAndAHalf(const QAbstractScrollArea& box, bool plain)
{
    const qreal pitch = textLinePitch(box.font(), plain, box.viewport());
    return 2 * box.frameWidth() + 8 + static_cast<int>(std::lround(3.5 * pitch));
}

// A plain text box scrolls by lines, and stops a line early where they fit exactly.
template <class Box>
void expectWholeLinesAtBothEnds(Box& box, const char* what, int fewerAtTheEnd = 0)
{
    const auto [top, end] = linesAtBothEnds(box);
    EXPECT_FALSE(top.cut) << what << ": a line is cut at the top of the text";
    EXPECT_FALSE(end.cut) << what << ": a line is cut at its end";
    EXPECT_EQ(top.whole, 3) << what;
    EXPECT_EQ(end.whole, 3 - fewerAtTheEnd) << what;
}

} // namespace

TEST(WholeLineMargins, LeaveRoomForWholeLinesWithThePaddingAround)
{
    // 100 pixels at 16 a line with 4 around: 5 lines (80), 4 above, 16 below.
    EXPECT_EQ(wholeLineMargins(100, 16, 4), QMargins(4, 4, 4, 16));
    EXPECT_EQ(wholeLineMargins(88, 16, 4), QMargins(4, 4, 4, 4)) << "an exact fit keeps the padding";
    EXPECT_EQ(wholeLineMargins(87, 16, 4), QMargins(4, 4, 4, 19));
    // Fractional lines are counted as the layout adds them up.
    EXPECT_EQ(wholeLineMargins(60, 15.5, 2), QMargins(2, 2, 2, 11));
    // Lower than a line and its padding: one line, as far down as it goes.
    EXPECT_EQ(wholeLineMargins(18, 16, 4), QMargins(4, 2, 4, 0));
    EXPECT_EQ(wholeLineMargins(10, 16, 4), QMargins(4, 0, 4, 0));
    EXPECT_EQ(wholeLineMargins(0, 16, 4), QMargins(4, 4, 4, 0));
}

TEST(WholeLineTextBox, ShowsWholeLinesAtTwoFontsWhereAPlainBoxCutsOne)
{
    for (const QFont& font : twoFonts()) {
        QWidget dialog;
        dialog.setFont(font);
        DialogTemplate t(&dialog, 300, 200);
        QTextEdit* box = t.multiLine(1000, 5, 5, 200, 40, DialogTemplate::TextBox::Scrolled);
        auto* plain = new QTextEdit(&dialog);
        auto* event = new WholeLinePlainTextEdit(&dialog);
        dialog.show();
        const int height = heightForThreeLinesAndAHalf(*box, false);
        for (QAbstractScrollArea* each : std::initializer_list<QAbstractScrollArea*>{box, plain, event})
            each->resize(box->width(), height);
        box->setPlainText(numberedLines(30));
        plain->setPlainText(numberedLines(30));
        event->setPlainText(numberedLines(30));
        QTest::qWait(10);

        EXPECT_EQ(box->size(), QSize(box->width(), height)) << "the box keeps its outer size";
        EXPECT_TRUE(linesShown(*plain).cut) << "a box of that height cuts a line unless it is fitted";
        expectWholeLinesAtBothEnds(*box, "text box");
        expectWholeLinesAtBothEnds(*event, "plain text box", 1);
        // The document's margin is kept around the text area.
        EXPECT_EQ(box->viewport()->geometry().topLeft(), QPoint(box->frameWidth() + 4, box->frameWidth() + 4));
        EXPECT_EQ(box->document()->documentMargin(), 0);
    }
}

TEST(WholeLineTextBox, FitsItsLinesAgainWhenItsFontChanges)
{
    QWidget dialog;
    WholeLineTextEdit box(&dialog);
    dialog.show();
    box.setPlainText(numberedLines(30));
    box.resize(200, heightForThreeLinesAndAHalf(box, false));
    QTest::qWait(10);
    ASSERT_FALSE(linesShown(box).cut);
    QFont larger = box.font();
    larger.setPointSize(larger.pointSize() * 2 + 1);
    box.setFont(larger);
    QTest::qWait(10);
    const auto [top, end] = linesAtBothEnds(box);
    EXPECT_FALSE(top.cut);
    EXPECT_FALSE(end.cut);
    EXPECT_GE(top.whole, 1);
}

TEST(FullTextTip, ShowsTheWholeTextOnlyWhileItIsWiderThanTheField)
{
    QWidget dialog;
    DialogTemplate t(&dialog, 300, 100);
    QLineEdit* edit = t.edit(1001, 5, 5, 60, 12);
    QComboBox* combo = t.editableList(1002, 5, 25, 60, 50, {QStringLiteral("Acer")}, false);
    dialog.show();
    const QString longText = QStringLiteral("Juniperus chinensis var. sargentii 'Itoigawa'");

    edit->setText(QStringLiteral("Acer"));
    EXPECT_TRUE(FullTextTip::textFits(*edit));
    EXPECT_EQ(edit->toolTip(), QString()) << "no tooltip while the text fits";
    edit->setText(longText);
    EXPECT_FALSE(FullTextTip::textFits(*edit));
    EXPECT_EQ(edit->toolTip(), longText);

    // Typing keeps it up to date, both ways.
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("Pinus"));
    EXPECT_EQ(edit->toolTip(), QString());
    QTest::keyClicks(edit, QStringLiteral(" thunbergii 'Kotobuki' from Kyushu"));
    EXPECT_EQ(edit->toolTip(), QStringLiteral("Pinus thunbergii 'Kotobuki' from Kyushu"));
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->toolTip(), QString());

    // A field made wide enough shows the text whole, and the tooltip goes.
    edit->setText(longText);
    edit->resize(edit->fontMetrics().horizontalAdvance(longText) + 40, edit->height());
    EXPECT_EQ(edit->toolTip(), QString());

    // An editable list carries the tooltip of its field.
    combo->setEditText(longText);
    EXPECT_EQ(combo->toolTip(), longText);
    combo->setCurrentIndex(0);
    EXPECT_EQ(combo->toolTip(), QString());

    // A text that looks like markup is shown as it is.
    const QString markup = QStringLiteral("<b>Ficus</b> & <i>retusa</i> from the nursery");
    edit->resize(40, edit->height());
    edit->setText(markup);
    ASSERT_TRUE(Qt::mightBeRichText(edit->toolTip()));
    QTextDocument shown;
    shown.setHtml(edit->toolTip());
    EXPECT_EQ(shown.toPlainText(), markup);
}
