#pragma once

#include <QDialog>
#include <QString>

// The About box: the program's icon, name, version and maker.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    QString m_strAboutText;
};
