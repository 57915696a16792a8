#include "ui/album/NewPictureDlg.h"
#include "ui/editing/FormPages.h"
#include "ui/editing/NewEntryDlg.h"
#include "ui/framework/DialogUnits.h"
#include "core/guide/GuideEspece.h"

#include "support/ui/FindControl.h"
#include "support/ui/ScriptedUiServices.h"
#include "support/ui/TextBoxLines.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

QStringList items(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

} // namespace

TEST(FormPages, ControlsSitAtTheirRectanglesWithTheirLists)
{
    ScriptedUiServices ui;
    CPage3 purchase;
    const DialogUnits units(DialogUnits::dialogFont());
    EXPECT_EQ(purchase.size(), units.size(337, 186));
    EXPECT_EQ(findControl<QLineEdit>(&purchase, 1007)->geometry(), units.rect(60, 10, 80, 14));
    EXPECT_EQ(findControl<QLineEdit>(&purchase, 1010)->geometry(), units.rect(60, 130, 110, 14));

    QComboBox* source = findControl<QComboBox>(&purchase, 1006);
    QComboBox* style = findControl<QComboBox>(&purchase, 1012);
    EXPECT_TRUE(source->isEditable());
    EXPECT_EQ(items(source), (QStringList{"Collected from the wild", "Cuttings", "Grafting", "Layering", "Nursery", "Seeds"}));
    EXPECT_EQ(style->count(), 11);
    EXPECT_EQ(style->itemText(0), QStringLiteral("Broom (Hokidachi)"));
    CPage4 transformation;
    EXPECT_EQ(items(findControl<QComboBox>(&transformation, 1016)), items(style));

    CPage2 plant;
    EXPECT_EQ(plant.m_nIntExt, -1);
    plant.UpdateData(false);
    EXPECT_FALSE(findControl<QRadioButton>(&plant, 1056)->isChecked());
    EXPECT_FALSE(findControl<QRadioButton>(&plant, 1057)->isChecked());
    EXPECT_EQ(findControl<QRadioButton>(&plant, 1057)->text(), QStringLiteral("Exterior"));

    CPage6 species;
    EXPECT_EQ(findControl<QTextEdit>(&species, 1031)->document()->defaultTextOption().alignment(), Qt::AlignRight);
    CPage5 maintenance;
    EXPECT_EQ(findControl<QTextEdit>(&maintenance, 1056)->geometry(), units.rect(61, 130, 265, 40));
}

TEST(FormPages, EveryTextBoxShowsWholeLinesAndKeepsItsRectangle)
{
    CPage2 plant;
    CPage3 purchase;
    CPage4 transformation;
    CPage5 maintenance;
    CPage6 species;
    int boxes = 0;
    for (QWidget* page : std::initializer_list<QWidget*>{&plant, &purchase, &transformation, &maintenance, &species}) {
        page->show();
        for (QTextEdit* box : page->findChildren<QTextEdit*>()) {
            ++boxes;
            const QRect designed = box->geometry();
            box->setPlainText(numberedLines(40));
            QTest::qWait(1);
            const auto [top, end] = linesAtBothEnds(*box);
            EXPECT_FALSE(top.cut) << box->objectName().toStdString();
            EXPECT_FALSE(end.cut) << box->objectName().toStdString();
            EXPECT_GE(top.whole, 1) << box->objectName().toStdString();
            EXPECT_EQ(box->geometry(), designed);
        }
    }
    EXPECT_GE(boxes, 10);
}

TEST(FormPages, LimitsStopTypingButKeepEveryValueFromTheFile)
{
    CPage3 purchase;
    purchase.m_strPurchaseStyle = std::string(31, 's');
    purchase.m_strPurchaseTrunkDiameter = std::string(40, 'd');
    purchase.UpdateData(false);
    EXPECT_EQ(findControl<QComboBox>(&purchase, 1012)->currentText().size(), 31) << "shown whole";
    findControl<QLineEdit>(&purchase, 1009)->setText(QStringLiteral("95"));
    purchase.UpdateData(true);
    EXPECT_EQ(purchase.m_strPurchaseStyle, std::string(31, 's'));
    EXPECT_EQ(purchase.m_strPurchaseTrunkDiameter, std::string(40, 'd'));
    EXPECT_EQ(purchase.m_strPricePaid, "95");

    auto* typed = findControl<QLineEdit>(&purchase, 1011);
    typed->clear();
    QTest::keyClicks(typed, QString(35, QLatin1Char('7')));
    EXPECT_EQ(typed->text().size(), 30);
}

TEST(EntryDialogs, NewEntryGivesNameSpeciesIndexAndTextOnOk)
{
    g_speciesGuide.clear();
    for (const char* name : {"Acer palmatum", "Pinus parviflora", "Acer palmatum"}) {
        g_speciesGuide.push_back(std::make_unique<CGuideEspece>());
        g_speciesGuide.back()->m_strNomBotanique = name;
    }
    {
        CNewEntryDlg dialog;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("New entry"));
        EXPECT_EQ(dialog.botanicalNameBox()->count(), 3);
        EXPECT_EQ(dialog.botanicalNameBox()->currentIndex(), -1);
        EXPECT_EQ(dialog.botanicalNameBox()->itemText(2), QStringLiteral("Acer palmatum")) << "not sorted";
        dialog.nameEdit()->setText(QStringLiteral("Tree 7"));
        dialog.botanicalNameBox()->setCurrentIndex(2);
        dialog.accept();
        EXPECT_EQ(dialog.entryName(), "Tree 7");
        EXPECT_EQ(dialog.speciesIndex(), 2);
        EXPECT_EQ(dialog.botanicalName(), "Acer palmatum");
    }
    {
        CNewEntryDlg dialog;
        dialog.nameEdit()->setText(QStringLiteral("Tree 8"));
        dialog.botanicalNameBox()->setEditText(QStringLiteral("Ulmus"));
        dialog.accept();
        EXPECT_EQ(dialog.speciesIndex(), -1);
        EXPECT_EQ(dialog.botanicalName(), "Ulmus");
        dialog.reject();
        EXPECT_EQ(dialog.entryName(), "");
        EXPECT_EQ(dialog.botanicalName(), "Ulmus") << "Cancel empties only the name";
    }
    g_speciesGuide.clear();
    CNewEntryDlg empty;
    EXPECT_EQ(empty.botanicalNameBox()->count(), 0);
    QTest::keyClicks(empty.nameEdit(), QString(60, QLatin1Char('n')));
    EXPECT_EQ(empty.nameEdit()->text().size(), 50);
}

TEST(EntryDialogs, NewPictureGivesTheDescriptionOrNothing)
{
    CNewPictureDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("New picture"));
    QTest::keyClicks(dialog.descriptionEdit(), QStringLiteral("Spring 2024, after repotting and pruning"));
    EXPECT_EQ(dialog.descriptionEdit()->text().size(), 30);
    dialog.accept();
    EXPECT_EQ(dialog.description(), "Spring 2024, after repotting a");
    dialog.reject();
    EXPECT_EQ(dialog.description(), "");
}
