#pragma once

#include <QDialog>

#include <string>

class QComboBox;
class QLineEdit;

// What the New entry dialog leaves for Add: OK sets all three, Cancel empties the name.
extern std::string g_strNewEntryName;
extern std::string g_strNewEntryBotanicalName;
extern int g_nNewEntrySpeciesIndex; // -1 when no species of the guide was chosen

// Asks the name of a new entry and offers the guide's botanical names.
class CNewEntryDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNameLimit = 50;
    explicit CNewEntryDlg(QWidget* parent = nullptr);

    std::string m_strEntryName;
    std::string m_strEntryBotanicalName;

    QLineEdit* nameEdit() const { return m_name; }
    QComboBox* botanicalNameBox() const { return m_botanicalName; }

public slots:
    void accept() override;
    void reject() override;

private:
    QLineEdit* m_name;
    QComboBox* m_botanicalName;
};
