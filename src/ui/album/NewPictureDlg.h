#pragma once

#include <QDialog>

#include <string>

class QLineEdit;

// Asks the description of a picture being added to the album.
class CNewPictureDlg : public QDialog {
    Q_OBJECT
public:
    explicit CNewPictureDlg(QWidget* parent = nullptr);

    // What the dialog leaves for the album: OK sets it, Cancel empties it.
    const std::string& description() const { return m_strNewPictureDescription; }

    QLineEdit* descriptionEdit() const { return m_description; }

public slots:
    void accept() override;
    void reject() override;

private:
    std::string m_strNewPictureDescription;
    QLineEdit* m_description;
};
