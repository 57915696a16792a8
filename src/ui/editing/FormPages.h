#pragma once

#include "framework/PropertyPage.h"

#include <QList>

#include <string>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QTextEdit;

// The five form tabs of an entry. Each holds one member per entry field it shows;
// the view copies them to and from entries.

class CPage2 : public CPropertyPage {
    Q_OBJECT
public:
    explicit CPage2(QWidget* parent = nullptr);

    std::string m_strEnglishName;
    std::string m_strCultivar;
    std::string m_strSpecies;
    std::string m_strFrenchName;
    std::string m_strType;
    std::string m_strPlantNotes;
    std::string m_strCommonName;
    std::string m_strBotanicalName;
    int m_nIntExt = -1; // -1 neither, 0 "Interior", 1 "Exterior"

    // True once Interior or Exterior was chosen since the page last showed its members.
    bool intExtChosen() const { return m_intExtChosen; }

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    bool m_intExtChosen = false;
    QLineEdit* m_botanicalName;
    QLineEdit* m_type;
    QLineEdit* m_cultivar;
    QLineEdit* m_species;
    QLineEdit* m_englishName;
    QLineEdit* m_frenchName;
    QLineEdit* m_commonName;
    QList<QRadioButton*> m_intExt;
    QTextEdit* m_plantNotes;
};

class CPage3 : public CPropertyPage {
    Q_OBJECT
public:
    static constexpr int kLimit = 30;
    explicit CPage3(QWidget* parent = nullptr);

    std::string m_strPurchaseAge;
    std::string m_strPurchaseDate;
    std::string m_strPurchaseTrunkDiameter;
    std::string m_strPurchaseStyle;
    std::string m_strPurchaseTrunkHeight;
    std::string m_strSource;
    std::string m_strPricePaid;

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    QLineEdit* m_date;
    QLineEdit* m_age;
    QLineEdit* m_price;
    QComboBox* m_source;
    QComboBox* m_style;
    QLineEdit* m_trunkDiameter;
    QLineEdit* m_trunkHeight;
};

class CPage4 : public CPropertyPage {
    Q_OBJECT
public:
    static constexpr int kLimit = 30;
    explicit CPage4(QWidget* parent = nullptr);

    std::string m_strShapingAge;
    std::string m_strShapingDate;
    std::string m_strShapingStyle;
    std::string m_strShapingTrunkHeight;
    std::string m_strHistory;
    std::string m_strShapingTrunkDiameter;

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    QLineEdit* m_date;
    QLineEdit* m_age;
    QComboBox* m_style;
    QLineEdit* m_trunkDiameter;
    QLineEdit* m_trunkHeight;
    QTextEdit* m_history;
};

class CPage5 : public CPropertyPage {
    Q_OBJECT
public:
    explicit CPage5(QWidget* parent = nullptr);

    std::string m_strDefoliation;
    std::string m_strFertilization;
    std::string m_strInsecticide;
    std::string m_strPinching;
    std::string m_strRepotting;
    std::string m_strPruning;
    std::string m_strMaintenanceNotes;
    std::string m_strToDo;

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    QLineEdit* m_repotting;
    QLineEdit* m_fertilization;
    QLineEdit* m_pruning;
    QLineEdit* m_defoliation;
    QLineEdit* m_pinching;
    QLineEdit* m_insecticide;
    QTextEdit* m_maintenanceNotes;
    QTextEdit* m_toDo;
};

class CPage6 : public CPropertyPage {
    Q_OBJECT
public:
    explicit CPage6(QWidget* parent = nullptr);

    std::string m_strNeedWatering;
    std::string m_strNeedPosition;
    std::string m_strNeedFertilization;
    std::string m_strNeedWintering;
    std::string m_strMinTemperature;
    std::string m_strPH;
    std::string m_strNeedRepotting;
    std::string m_strRustZone;
    std::string m_strNeedSoil;
    std::string m_strNeedWiring;
    std::string m_strNeedPruning;

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    QTextEdit* m_position;
    QTextEdit* m_fertilization;
    QTextEdit* m_pruning;
    QTextEdit* m_wiring;
    QTextEdit* m_repotting;
    QTextEdit* m_soil;
    QTextEdit* m_watering;
    QLineEdit* m_wintering;
    QTextEdit* m_rustZone;
    QTextEdit* m_minTemperature;
    QTextEdit* m_ph;
};

// The items of the two kinds of editable list, in the order they are given.
const QStringList& SourceItems();
const QStringList& StyleItems();
