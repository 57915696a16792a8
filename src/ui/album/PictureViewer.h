#pragma once

#include <QDialog>
#include <QImage>
#include <QSize>

class QLabel;

// A larger look at an album photo: twice its size, or as much of the screen as
// fits, smoothly scaled, with the photo's description as its title.
class PictureViewer : public QDialog {
    Q_OBJECT
public:
    PictureViewer(const QImage& picture, const QString& description, QWidget* parent = nullptr);

    // The size a picture is shown at: doubled, then reduced to fit the room while
    // keeping its proportions.
    static QSize largerSize(QSize picture, QSize room);

    QLabel* pictureLabel() const { return m_picture; }

private:
    QLabel* m_picture;
};
