#include "editing/FormPages.h"

#include "framework/DataExchange.h"
#include "framework/DialogTemplate.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextEdit>

using TextBox = DialogTemplate::TextBox;
using Align = DialogTemplate::Align;

const QStringList& SourceItems()
{
    static const QStringList items = {
        QStringLiteral("Seeds"),   QStringLiteral("Cuttings"), QStringLiteral("Layering"),
        QStringLiteral("Grafting"), QStringLiteral("Nursery"), QStringLiteral("Collected from the wild"),
    };
    return items;
}

const QStringList& StyleItems()
{
    static const QStringList items = {
        QStringLiteral("Formal upright (Chokkan)"),  QStringLiteral("Informal upright (Moyogi)"),
        QStringLiteral("Slanting (Shakan)"),         QStringLiteral("Semi-Cascade (Han-Kengai)"),
        QStringLiteral("Cascade (Kengai)"),          QStringLiteral("Twin trunk (Sokan)"),
        QStringLiteral("Triple (Sankan)"),           QStringLiteral("Multiple (Kabudachi)"),
        QStringLiteral("Raft (Ikada)"),              QStringLiteral("Group planting (Yose-ue)"),
        QStringLiteral("Broom (Hokidachi)"),
    };
    return items;
}

CPage2::CPage2(QWidget* parent) : CPropertyPage(QStringLiteral("The plant"), parent)
{
    DialogTemplate t(this, 342, 186);
    t.Label(QStringLiteral("Botanical name"), 35, 5, 50, 8);
    m_botanicalName = t.Edit(1023, 35, 15, 107, 14);
    t.Label(QStringLiteral("Subspecies"), 35, 35, 50, 8);
    m_type = t.Edit(1020, 35, 46, 107, 14);
    t.Label(QStringLiteral("Cultivar"), 35, 65, 50, 8);
    m_cultivar = t.Edit(1022, 35, 75, 105, 14);
    t.Label(QStringLiteral("Species"), 35, 95, 50, 8);
    m_species = t.Edit(1021, 35, 105, 105, 14);
    t.Label(QStringLiteral("English name"), 165, 5, 50, 8);
    m_englishName = t.Edit(1029, 165, 15, 105, 14);
    t.Label(QStringLiteral("French name"), 165, 35, 50, 8);
    m_frenchName = t.Edit(1026, 165, 45, 107, 14);
    t.Label(QStringLiteral("Common name"), 165, 65, 58, 8);
    m_commonName = t.Edit(1028, 165, 75, 105, 14);
    t.GroupBox(QStringLiteral("Plant"), 165, 100, 105, 25);
    m_intExt = {t.Radio(1056, QStringLiteral("Interior"), 170, 111, 37, 10),
                t.Radio(1057, QStringLiteral("Exterior"), 220, 111, 39, 10)};
    // A click on the button already checked is a choice too.
    for (QRadioButton* button : m_intExt) {
        connect(button, &QRadioButton::clicked, this, [this] { m_intExtChosen = true; });
        connect(button, &QRadioButton::toggled, this, [this] { m_intExtChosen = true; });
    }
    t.Label(QStringLiteral("Notes"), 35, 125, 50, 8);
    m_plantNotes = t.MultiLine(1027, 35, 135, 235, 45, TextBox::Plain);
}

void CPage2::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, m_englishName, m_strEnglishName);
    DDX_Text(dx, m_cultivar, m_strCultivar);
    DDX_Text(dx, m_species, m_strSpecies);
    DDX_Text(dx, m_frenchName, m_strFrenchName);
    DDX_Text(dx, m_type, m_strType);
    DDX_Text(dx, m_plantNotes, m_strPlantNotes);
    DDX_Text(dx, m_commonName, m_strCommonName);
    DDX_Text(dx, m_botanicalName, m_strBotanicalName);
    DDX_Radio(dx, m_intExt, m_nIntExt);
    if (!dx.m_bSaveAndValidate)
        m_intExtChosen = false;
}

CPage3::CPage3(QWidget* parent) : CPropertyPage(QStringLiteral("Purchase"), parent)
{
    DialogTemplate t(this, 337, 186);
    t.Label(QStringLiteral("Date"), 27, 14, 25, 8, Align::Right);
    m_date = t.Edit(1007, 60, 10, 80, 14, kLimit);
    t.Label(QStringLiteral("Age"), 17, 33, 35, 8, Align::Right);
    m_age = t.Edit(1011, 60, 30, 35, 14, kLimit);
    t.Label(QStringLiteral("Price"), 19, 54, 33, 8, Align::Right);
    m_price = t.Edit(1009, 60, 50, 35, 14, kLimit);
    t.Label(QStringLiteral("Source"), 7, 73, 45, 8, Align::Right);
    m_source = t.EditableList(1006, 60, 70, 110, 50, SourceItems(), true, kLimit);
    t.Label(QStringLiteral("Style"), 7, 93, 45, 8, Align::Right);
    m_style = t.EditableList(1012, 60, 90, 110, 50, StyleItems(), true, kLimit);
    t.Label(QStringLiteral("Trunk diam."), 7, 113, 45, 8, Align::Right);
    m_trunkDiameter = t.Edit(1008, 60, 110, 110, 14, kLimit);
    t.Label(QStringLiteral("Trunk height"), 7, 133, 45, 8, Align::Right);
    m_trunkHeight = t.Edit(1010, 60, 130, 110, 14, kLimit);
}

void CPage3::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, m_age, m_strPurchaseAge);
    DDX_Text(dx, m_date, m_strPurchaseDate);
    DDX_Text(dx, m_trunkDiameter, m_strPurchaseTrunkDiameter);
    DDX_CBString(dx, m_style, m_strPurchaseStyle);
    DDX_Text(dx, m_trunkHeight, m_strPurchaseTrunkHeight);
    DDX_CBString(dx, m_source, m_strSource);
    DDX_Text(dx, m_price, m_strPricePaid);
}

CPage4::CPage4(QWidget* parent)
    : CPropertyPage(QStringLiteral("Transformation"), parent)
{
    DialogTemplate t(this, 342, 186);
    t.Label(QStringLiteral("Date"), 56, 10, 25, 8, Align::Right);
    m_date = t.Edit(1014, 87, 10, 108, 14, kLimit);
    t.Label(QStringLiteral("Age"), 227, 13, 15, 8, Align::Right);
    m_age = t.Edit(1015, 245, 10, 35, 14, kLimit);
    t.Label(QStringLiteral("Style"), 36, 30, 45, 8, Align::Right);
    m_style = t.EditableList(1016, 87, 30, 110, 50, StyleItems(), true, kLimit);
    t.Label(QStringLiteral("Trunk diam."), 6, 52, 75, 8, Align::Right);
    m_trunkDiameter = t.Edit(1017, 87, 50, 110, 14);
    t.Label(QStringLiteral("Trunk height"), 15, 73, 66, 8, Align::Right);
    m_trunkHeight = t.Edit(1018, 87, 70, 110, 14, kLimit);
    t.Label(QStringLiteral("History"), 15, 90, 66, 8, Align::Right);
    m_history = t.MultiLine(1019, 87, 90, 218, 90, TextBox::Plain);
}

void CPage4::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, m_age, m_strShapingAge);
    DDX_Text(dx, m_date, m_strShapingDate);
    DDX_CBString(dx, m_style, m_strShapingStyle);
    DDX_Text(dx, m_trunkHeight, m_strShapingTrunkHeight);
    DDX_Text(dx, m_history, m_strHistory);
    DDX_Text(dx, m_trunkDiameter, m_strShapingTrunkDiameter);
}

CPage5::CPage5(QWidget* parent) : CPropertyPage(QStringLiteral("Maintenance"), parent)
{
    DialogTemplate t(this, 342, 186);
    t.Label(QStringLiteral("Repotting"), 24, 18, 32, 8, Align::Right);
    m_repotting = t.Edit(1025, 60, 15, 100, 14);
    t.Label(QStringLiteral("Fertilizing"), 26, 38, 30, 8, Align::Right);
    m_fertilization = t.Edit(1026, 60, 35, 100, 14);
    t.Label(QStringLiteral("Pruning"), 31, 58, 25, 8, Align::Right);
    m_pruning = t.Edit(1027, 60, 55, 100, 14);
    t.Label(QStringLiteral("Leaf pruning"), 181, 18, 40, 8, Align::Right);
    m_defoliation = t.Edit(1028, 226, 15, 100, 14);
    t.Label(QStringLiteral("Pinching"), 193, 37, 28, 8, Align::Right);
    m_pinching = t.Edit(1029, 226, 34, 100, 14);
    t.Label(QStringLiteral("Insecticide"), 186, 58, 35, 8, Align::Right);
    m_insecticide = t.Edit(1030, 226, 55, 100, 14);
    t.Label(QStringLiteral("Notes"), 30, 80, 26, 8, Align::Right);
    m_maintenanceNotes = t.MultiLine(1055, 61, 80, 265, 40, TextBox::Plain);
    t.Label(QStringLiteral("To do"), 30, 130, 26, 8, Align::Right);
    m_toDo = t.MultiLine(1056, 61, 130, 265, 40, TextBox::Plain);
}

void CPage5::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, m_defoliation, m_strDefoliation);
    DDX_Text(dx, m_fertilization, m_strFertilization);
    DDX_Text(dx, m_insecticide, m_strInsecticide);
    DDX_Text(dx, m_pinching, m_strPinching);
    DDX_Text(dx, m_repotting, m_strRepotting);
    DDX_Text(dx, m_pruning, m_strPruning);
    DDX_Text(dx, m_maintenanceNotes, m_strMaintenanceNotes);
    DDX_Text(dx, m_toDo, m_strToDo);
}

CPage6::CPage6(QWidget* parent)
    : CPropertyPage(QStringLiteral("Species specifics"), parent)
{
    DialogTemplate t(this, 342, 186);
    t.Label(QStringLiteral("Position and light"), 5, 5, 54, 8);
    m_position = t.MultiLine(1028, 5, 16, 155, 29, TextBox::ScrolledNoReturn);
    t.Label(QStringLiteral("Fertilizing"), 5, 50, 30, 8);
    m_fertilization = t.MultiLine(1025, 5, 60, 155, 30, TextBox::Scrolled);
    t.Label(QStringLiteral("Trimming and Pruning"), 5, 95, 69, 8);
    m_pruning = t.MultiLine(1034, 5, 105, 155, 30, TextBox::Scrolled);
    t.Label(QStringLiteral("Wiring"), 5, 140, 21, 8);
    m_wiring = t.MultiLine(1033, 5, 150, 155, 30, TextBox::Scrolled);
    t.Label(QStringLiteral("Repotting"), 175, 5, 32, 8);
    m_repotting = t.MultiLine(1026, 175, 15, 160, 30, TextBox::Scrolled);
    t.Label(QStringLiteral("Soil"), 175, 50, 12, 8);
    m_soil = t.MultiLine(1029, 175, 60, 160, 15, TextBox::Plain);
    t.Label(QStringLiteral("Watering"), 175, 80, 30, 8);
    m_watering = t.MultiLine(1024, 175, 90, 160, 20, TextBox::Scrolled);
    t.Label(QStringLiteral("Wintering and dormancy"), 175, 114, 78, 8);
    m_wintering = t.Edit(1027, 175, 124, 160, 15);
    t.Label(QStringLiteral("Rust zone/\nCulture code"), 175, 145, 60, 20);
    m_rustZone = t.MultiLine(1031, 175, 166, 55, 12, TextBox::SmallRightAligned);
    t.Label(QStringLiteral("Min. temp."), 245, 154, 34, 8);
    m_minTemperature = t.MultiLine(1032, 247, 166, 34, 12, TextBox::SmallRightAligned);
    t.Label(QStringLiteral("pH"), 295, 154, 10, 8);
    m_ph = t.MultiLine(1030, 295, 166, 40, 12, TextBox::SmallRightAligned);
}

void CPage6::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, m_watering, m_strNeedWatering);
    DDX_Text(dx, m_position, m_strNeedPosition);
    DDX_Text(dx, m_fertilization, m_strNeedFertilization);
    DDX_Text(dx, m_wintering, m_strNeedWintering);
    DDX_Text(dx, m_minTemperature, m_strMinTemperature);
    DDX_Text(dx, m_ph, m_strPH);
    DDX_Text(dx, m_repotting, m_strNeedRepotting);
    DDX_Text(dx, m_rustZone, m_strRustZone);
    DDX_Text(dx, m_soil, m_strNeedSoil);
    DDX_Text(dx, m_wiring, m_strNeedWiring);
    DDX_Text(dx, m_pruning, m_strNeedPruning);
}
