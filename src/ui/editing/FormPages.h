#pragma once

#include "core/collection/BonsaiData.h"
#include "ui/editing/FieldFormPage.h"

#include <QList>

#include <string>

class QRadioButton;

// The five form tabs of an entry. Each holds one member per entry field it shows,
// named after the field; the view copies them to and from entries.

class CPage2 : public FieldFormPage {
    Q_OBJECT
public:
    explicit CPage2(QWidget* parent = nullptr);

    std::string& m_strEnglishName = value(CBonsaiData::EnglishName);
    std::string& m_strCultivar = value(CBonsaiData::Cultivar);
    std::string& m_strSpecies = value(CBonsaiData::Species);
    std::string& m_strFrenchName = value(CBonsaiData::FrenchName);
    std::string& m_strType = value(CBonsaiData::Type);
    std::string& m_strPlantNotes = value(CBonsaiData::PlantNotes);
    std::string& m_strCommonName = value(CBonsaiData::CommonName);
    std::string& m_strBotanicalName = value(CBonsaiData::BotanicalName);
    int m_nIntExt = -1; // -1 neither, 0 "Interior", 1 "Exterior"

    // True once Interior or Exterior was chosen since the page last showed its members.
    bool intExtChosen() const { return m_intExtChosen; }

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    bool m_intExtChosen = false;
    QList<QRadioButton*> m_intExt;
};

class CPage3 : public FieldFormPage {
    Q_OBJECT
public:
    explicit CPage3(QWidget* parent = nullptr);

    std::string& m_strPurchaseAge = value(CBonsaiData::PurchaseAge);
    std::string& m_strPurchaseDate = value(CBonsaiData::PurchaseDate);
    std::string& m_strPurchaseTrunkDiameter = value(CBonsaiData::PurchaseTrunkDiameter);
    std::string& m_strPurchaseStyle = value(CBonsaiData::PurchaseStyle);
    std::string& m_strPurchaseTrunkHeight = value(CBonsaiData::PurchaseTrunkHeight);
    std::string& m_strSource = value(CBonsaiData::Source);
    std::string& m_strPricePaid = value(CBonsaiData::PricePaid);
};

class CPage4 : public FieldFormPage {
    Q_OBJECT
public:
    explicit CPage4(QWidget* parent = nullptr);

    std::string& m_strShapingAge = value(CBonsaiData::ShapingAge);
    std::string& m_strShapingDate = value(CBonsaiData::ShapingDate);
    std::string& m_strShapingStyle = value(CBonsaiData::ShapingStyle);
    std::string& m_strShapingTrunkHeight = value(CBonsaiData::ShapingTrunkHeight);
    std::string& m_strHistory = value(CBonsaiData::History);
    std::string& m_strShapingTrunkDiameter = value(CBonsaiData::ShapingTrunkDiameter);
};

class CPage5 : public FieldFormPage {
    Q_OBJECT
public:
    explicit CPage5(QWidget* parent = nullptr);

    std::string& m_strDefoliation = value(CBonsaiData::Defoliation);
    std::string& m_strFertilization = value(CBonsaiData::Fertilization);
    std::string& m_strInsecticide = value(CBonsaiData::Insecticide);
    std::string& m_strPinching = value(CBonsaiData::Pinching);
    std::string& m_strRepotting = value(CBonsaiData::Repotting);
    std::string& m_strPruning = value(CBonsaiData::Pruning);
    std::string& m_strMaintenanceNotes = value(CBonsaiData::MaintenanceNotes);
    std::string& m_strToDo = value(CBonsaiData::ToDo);
};

class CPage6 : public FieldFormPage {
    Q_OBJECT
public:
    explicit CPage6(QWidget* parent = nullptr);

    std::string& m_strNeedWatering = value(CBonsaiData::NeedWatering);
    std::string& m_strNeedPosition = value(CBonsaiData::NeedPosition);
    std::string& m_strNeedFertilization = value(CBonsaiData::NeedFertilization);
    std::string& m_strNeedWintering = value(CBonsaiData::NeedWintering);
    std::string& m_strMinTemperature = value(CBonsaiData::MinTemperature);
    std::string& m_strPH = value(CBonsaiData::PH);
    std::string& m_strNeedRepotting = value(CBonsaiData::NeedRepotting);
    std::string& m_strRustZone = value(CBonsaiData::RustZone);
    std::string& m_strNeedSoil = value(CBonsaiData::NeedSoil);
    std::string& m_strNeedWiring = value(CBonsaiData::NeedWiring);
    std::string& m_strNeedPruning = value(CBonsaiData::NeedPruning);
};

