#include "ui/editing/FormPages.h"

#include "ui/framework/CoreTexts.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/DataExchange.h"

#include <QRadioButton>

using TextBox = DialogTemplate::TextBox;
using talvane::collection::Page;

CPage2::CPage2(QWidget* parent) : FieldFormPage(Page::Plant, LabelPlace::Above, parent)
{
    DialogTemplate t(this, 342, 186);
    placeField(t, 1023, {35, 15, 107, 14}, {35, 5, 50, 8});
    placeField(t, 1020, {35, 46, 107, 14}, {35, 35, 50, 8});
    placeField(t, 1022, {35, 75, 105, 14}, {35, 65, 50, 8});
    placeField(t, 1021, {35, 105, 105, 14}, {35, 95, 50, 8});
    placeField(t, 1029, {165, 15, 105, 14}, {165, 5, 50, 8});
    placeField(t, 1026, {165, 45, 107, 14}, {165, 35, 50, 8});
    placeField(t, 1028, {165, 75, 105, 14}, {165, 65, 58, 8});
    const auto& intExt = *talvane::collection::fieldOnPage(Page::Plant, 1056);
    t.groupBox(coreText(intExt.label), 165, 100, 105, 25);
    m_intExt = {t.radio(1056, coreText(intExt.choices[0].shown), 170, 111, 37, 10),
                t.radio(1057, coreText(intExt.choices[1].shown), 220, 111, 39, 10)};
    // A click on the button already checked is a choice too.
    for (QRadioButton* radio : m_intExt) {
        connect(radio, &QRadioButton::clicked, this, [this] { m_intExtChosen = true; });
        connect(radio, &QRadioButton::toggled, this, [this] { m_intExtChosen = true; });
    }
    placeField(t, 1027, {35, 135, 235, 45}, {35, 125, 50, 8});
}

void CPage2::DoDataExchange(DataExchange& dx)
{
    FieldFormPage::DoDataExchange(dx);
    DDX_Radio(dx, m_intExt, m_nIntExt);
    if (!dx.m_saveAndValidate)
        m_intExtChosen = false;
}

CPage3::CPage3(QWidget* parent) : FieldFormPage(Page::Purchase, LabelPlace::Left, parent)
{
    DialogTemplate t(this, 337, 186);
    placeField(t, 1007, {60, 10, 80, 14}, {27, 14, 25, 8});
    placeField(t, 1011, {60, 30, 35, 14}, {17, 33, 35, 8});
    placeField(t, 1009, {60, 50, 35, 14}, {19, 54, 33, 8});
    placeField(t, 1006, {60, 70, 110, 50}, {7, 73, 45, 8});
    placeField(t, 1012, {60, 90, 110, 50}, {7, 93, 45, 8});
    placeField(t, 1008, {60, 110, 110, 14}, {7, 113, 45, 8});
    placeField(t, 1010, {60, 130, 110, 14}, {7, 133, 45, 8});
}

CPage4::CPage4(QWidget* parent) : FieldFormPage(Page::Transformation, LabelPlace::Left, parent)
{
    DialogTemplate t(this, 342, 186);
    placeField(t, 1014, {87, 10, 108, 14}, {56, 10, 25, 8});
    placeField(t, 1015, {245, 10, 35, 14}, {227, 13, 15, 8});
    placeField(t, 1016, {87, 30, 110, 50}, {36, 30, 45, 8});
    placeField(t, 1017, {87, 50, 110, 14}, {6, 52, 75, 8});
    placeField(t, 1018, {87, 70, 110, 14}, {15, 73, 66, 8});
    placeField(t, 1019, {87, 90, 218, 90}, {15, 90, 66, 8});
}

CPage5::CPage5(QWidget* parent) : FieldFormPage(Page::Maintenance, LabelPlace::Left, parent)
{
    DialogTemplate t(this, 342, 186);
    placeField(t, 1025, {60, 15, 100, 14}, {24, 18, 32, 8});
    placeField(t, 1026, {60, 35, 100, 14}, {26, 38, 30, 8});
    placeField(t, 1027, {60, 55, 100, 14}, {31, 58, 25, 8});
    placeField(t, 1028, {226, 15, 100, 14}, {181, 18, 40, 8});
    placeField(t, 1029, {226, 34, 100, 14}, {193, 37, 28, 8});
    placeField(t, 1030, {226, 55, 100, 14}, {186, 58, 35, 8});
    placeField(t, 1055, {61, 80, 265, 40}, {30, 80, 26, 8});
    placeField(t, 1056, {61, 130, 265, 40}, {30, 130, 26, 8});
}

CPage6::CPage6(QWidget* parent) : FieldFormPage(Page::Species, LabelPlace::Above, parent)
{
    DialogTemplate t(this, 342, 186);
    placeField(t, 1028, {5, 16, 155, 29}, {5, 5, 54, 8}, TextBox::ScrolledNoReturn);
    placeField(t, 1025, {5, 60, 155, 30}, {5, 50, 30, 8}, TextBox::Scrolled);
    placeField(t, 1034, {5, 105, 155, 30}, {5, 95, 69, 8}, TextBox::Scrolled);
    placeField(t, 1033, {5, 150, 155, 30}, {5, 140, 21, 8}, TextBox::Scrolled);
    placeField(t, 1026, {175, 15, 160, 30}, {175, 5, 32, 8}, TextBox::Scrolled);
    placeField(t, 1029, {175, 60, 160, 15}, {175, 50, 12, 8});
    placeField(t, 1024, {175, 90, 160, 20}, {175, 80, 30, 8}, TextBox::Scrolled);
    placeField(t, 1027, {175, 124, 160, 15}, {175, 114, 78, 8});
    placeField(t, 1031, {175, 166, 55, 12}, {175, 145, 60, 20}, TextBox::SmallRightAligned);
    placeField(t, 1032, {247, 166, 34, 12}, {245, 154, 34, 8}, TextBox::SmallRightAligned);
    placeField(t, 1030, {295, 166, 40, 12}, {295, 154, 10, 8}, TextBox::SmallRightAligned);
}
