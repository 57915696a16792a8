#include "ui/framework/AnsiText.h"
#include "ui/framework/DataExchange.h"
#include "ui/framework/DialogTemplate.h"
#include "ui/framework/DialogUnits.h"
#include "ui/framework/LengthLimit.h"

#include "support/ui/ScriptedUiServices.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QWidget>
#include <gtest/gtest.h>

TEST(AnsiText, EveryByteRoundTripsAndForeignCharactersBecomeQuestionMarks)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(toAnsi(fromAnsi(all)), all);
    EXPECT_EQ(fromAnsi("Int\xE9rieur \x80"), QStringLiteral("Int\u00E9rieur \u20AC"));
    EXPECT_EQ(toAnsi(QStringLiteral("\u6728 \U0001F333 \u0153")), "? ? \x9C");
}

TEST(DialogUnits, ConvertWithTheFontsBaseUnits)
{
    const DialogUnits units(6, 13);
    EXPECT_EQ(units.rect(35, 15, 107, 14), QRect(52, 24, 160, 22));
    EXPECT_EQ(units.size(342, 186), QSize(513, 302));
    const DialogUnits fromFont(DialogUnits::dialogFont());
    // Four units across are the font's base width, eight down its height.
    EXPECT_GT(fromFont.x(4), 3);
    EXPECT_GT(fromFont.y(8), fromFont.x(4));
}

TEST(DataExchange, EditableListSelectsOnlyAnExactItem)
{
    ScriptedUiServices ui;
    QWidget dialog;
    DialogTemplate t(&dialog, 200, 100);
    QComboBox* combo = t.editableList(1012, 5, 5, 110, 50, {QStringLiteral("Cascade (Kengai)"), QStringLiteral("Broom (Hokidachi)")}, true);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("Broom (Hokidachi)")) << "the list is sorted";
    EXPECT_EQ(combo->currentIndex(), -1);

    for (const char* value : {"Cascade", "cascade (kengai)", "Cascade (Kengai)", "", "Raft"}) {
        std::string member = value;
        DataExchange show(false);
        DDX_CBString(show, combo, member);
        std::string read;
        DataExchange save(true);
        DDX_CBString(save, combo, read);
        EXPECT_EQ(read, value);
        EXPECT_EQ(combo->currentIndex(), std::string(value) == "Cascade (Kengai)" ? 1 : -1) << value;
    }
}

TEST(DataExchange, MultiLineTextsKeepCarriageReturnLineFeedBreaks)
{
    ScriptedUiServices ui;
    QWidget dialog;
    DialogTemplate t(&dialog, 200, 100);
    QTextEdit* notes = t.multiLine(1, 5, 5, 100, 40, DialogTemplate::TextBox::Plain);
    for (const std::string value : {"one\r\ntwo\r\n", "", "single", "\r\n\r\nx"}) {
        std::string member = value;
        DataExchange show(false);
        DDX_Text(show, notes, member);
        std::string read;
        DataExchange save(true);
        DDX_Text(save, notes, read);
        EXPECT_EQ(read, value);
    }
    notes->setPlainText(QStringLiteral("typed\nlines"));
    std::string typed;
    DataExchange save(true);
    DDX_Text(save, notes, typed);
    EXPECT_EQ(typed, "typed\r\nlines");
}

TEST(DataExchange, RadioGroupGivesMinusOneForNoneAndClearsBoth)
{
    ScriptedUiServices ui;
    QWidget dialog;
    DialogTemplate t(&dialog, 200, 100);
    const QList<QRadioButton*> group = {t.radio(1056, QStringLiteral("Interior"), 5, 5, 40, 10),
                                        t.radio(1057, QStringLiteral("Exterior"), 50, 5, 40, 10)};
    for (int value : {1, -1, 0, 7, -1}) {
        int member = value;
        DataExchange show(false);
        DDX_Radio(show, group, member);
        int read = 99;
        DataExchange save(true);
        DDX_Radio(save, group, read);
        EXPECT_EQ(read, value == 7 ? -1 : value);
    }
}

TEST(DataExchange, OverLongValuesAreShownAndReadBackWholeWithoutAWord)
{
    ScriptedUiServices ui;
    QWidget dialog;
    DialogTemplate t(&dialog, 200, 100);
    QLineEdit* first = t.edit(1, 5, 5, 50, 14, 30);
    std::string shown(40, 'a');
    DataExchange show(false);
    DDX_Text(show, first, shown);
    EXPECT_EQ(first->text().size(), 40) << "the program's own texts are never cut";

    DataExchange dx(true);
    std::string read;
    DDX_Text(dx, first, read);
    EXPECT_EQ(read, std::string(40, 'a'));
    EXPECT_TRUE(ui.prompter.calls().empty());
}

TEST(DataExchange, EveryControlGivesBackItsBytesUntilItIsChanged)
{
    std::string every;
    for (int b = 1; b < 256; ++b)
        every += static_cast<char>(b);
    QWidget dialog;
    DialogTemplate t(&dialog, 300, 200);
    QLineEdit* line = t.edit(1, 5, 5, 50, 14, 30);
    QTextEdit* box = t.multiLine(2, 5, 25, 100, 40, DialogTemplate::TextBox::Plain);
    QTextEdit* small = t.multiLine(3, 5, 70, 30, 12, DialogTemplate::TextBox::SmallRightAligned);
    QComboBox* list = t.editableList(4, 5, 90, 110, 50, {QStringLiteral("Raft (Ikada)")}, true, 30);
    const auto roundTrip = [&](const std::string& value) {
        std::vector<std::string> members(4, value);
        DataExchange show(false);
        DDX_Text(show, line, members[0]);
        DDX_Text(show, box, members[1]);
        DDX_Text(show, small, members[2]);
        DDX_CBString(show, list, members[3]);
        std::vector<std::string> read(4);
        DataExchange save(true);
        DDX_Text(save, line, read[0]);
        DDX_Text(save, box, read[1]);
        DDX_Text(save, small, read[2]);
        DDX_CBString(save, list, read[3]);
        return read;
    };
    for (const std::string& value : {every, std::string("a\nb\rc\r\nd\xA0\n"), std::string("\r"), std::string("Raft (Ikada)")})
        EXPECT_EQ(roundTrip(value), std::vector<std::string>(4, value));
    EXPECT_EQ(line->cursorPosition(), 0) << "a one-line text shows from its start";
    EXPECT_EQ(list->lineEdit()->cursorPosition(), 0);

    roundTrip("x\xA0y\rz");
    line->setText(line->text() + QStringLiteral("!"));
    box->setPlainText(QStringLiteral("x\u00A0y\nz!"));
    box->textCursor().insertText(QStringLiteral("\u00A0"));
    std::string changedLine, changedBox;
    DataExchange save(true);
    DDX_Text(save, line, changedLine);
    DDX_Text(save, box, changedBox);
    EXPECT_EQ(changedLine, "x\xA0y\rz!");
    EXPECT_EQ(changedBox, "\xA0x\xA0y\r\nz!") << "a changed box keeps no-break spaces; its breaks become CR LF";
}

TEST(LengthLimit, TypingStopsAtTheLimitButShorteningIsAlwaysAllowed)
{
    QLineEdit edit;
    new LengthLimit(&edit, 5);
    edit.show();
    QTest::keyClicks(&edit, QStringLiteral("abcdefgh"));
    EXPECT_EQ(edit.text(), QStringLiteral("abcde"));

    edit.setText(QStringLiteral("0123456789"));
    edit.setCursorPosition(10);
    QTest::keyClicks(&edit, QStringLiteral("x"));
    EXPECT_EQ(edit.text(), QStringLiteral("0123456789")) << "an over-long text cannot grow";
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QStringLiteral("012345678"));
    QTest::keyClicks(&edit, QStringLiteral("y"));
    EXPECT_EQ(edit.text(), QStringLiteral("012345678"));
}
