#pragma once

#include <QDialog>

#include <string>

class QLineEdit;

// What the New picture dialog leaves for the album: OK sets it, Cancel empties it.
extern std::string g_strNewPictureDescription;

// Asks the description of a picture being added to the album.
class CNewPictureDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDescriptionLimit = 30;
    explicit CNewPictureDlg(QWidget* parent = nullptr);

    std::string m_strPictureDescription;

    QLineEdit* descriptionEdit() const { return m_description; }

public slots:
    void accept() override;
    void reject() override;

private:
    QLineEdit* m_description;
};
