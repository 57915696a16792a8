#pragma once

#include <QDialog>

#include <string>

class QLineEdit;

// Asks a new name for an entry, starting from its present one.
class RenameEntryDlg : public QDialog {
    Q_OBJECT
public:
    explicit RenameEntryDlg(const std::string& name, QWidget* parent = nullptr);

    // The name typed, after OK.
    const std::string& entryName() const { return m_strEntryName; }

public slots:
    void accept() override;

private:
    std::string m_strEntryName;
    QLineEdit* m_name;
};
