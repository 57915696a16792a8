#pragma once

#include <QDialog>

#include <string>

class QComboBox;
class QLineEdit;

// Asks the name of a new entry and offers the guide's botanical names.
class CNewEntryDlg : public QDialog {
    Q_OBJECT
public:
    explicit CNewEntryDlg(QWidget* parent = nullptr);

    // What the dialog leaves for Add: OK sets all three, Cancel empties the name.
    const std::string& entryName() const { return m_strNewEntryName; }
    const std::string& botanicalName() const { return m_strNewEntryBotanicalName; }
    // -1 when no species of the guide was chosen.
    int speciesIndex() const { return m_nNewEntrySpeciesIndex; }

    QLineEdit* nameEdit() const { return m_name; }
    QComboBox* botanicalNameBox() const { return m_botanicalName; }

public slots:
    void accept() override;
    void reject() override;

private:
    std::string m_strNewEntryName;
    std::string m_strNewEntryBotanicalName;
    int m_nNewEntrySpeciesIndex = -1;
    QLineEdit* m_name;
    QComboBox* m_botanicalName;
};
