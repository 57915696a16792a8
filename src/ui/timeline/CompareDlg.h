#pragma once

#include "ui/timeline/PhotoReading.h"

#include <QDialog>
#include <QImage>
#include <QString>
#include <QWidget>

#include <vector>

class QComboBox;
class QPainter;
class QRadioButton;
class QSlider;
class QVBoxLayout;

// Two photos drawn at the same height, side by side, or one over the other with a
// divide that the slider moves: left of it the first photo, right of it the second.
class ComparisonPane : public QWidget {
    Q_OBJECT
public:
    explicit ComparisonPane(QWidget* parent = nullptr);

    void setPhotos(QImage first, QString firstCaption, QImage second, QString secondCaption);
    void setOverlaid(bool overlaid);
    // Where the divide stands, from 0 (all second photo) to 1000 (all first).
    void setDivide(int divide);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawSideBySide(QPainter& painter, const QRectF& area) const;
    void drawOverlaid(QPainter& painter, const QRectF& area) const;

    QImage m_first;
    QImage m_second;
    QString m_firstCaption;
    QString m_secondCaption;
    bool m_overlaid = false;
    int m_divide = 500;
};

// Compares two photos of a tree: by default the newest and the one nearest a year
// before it ("this time last year"); either can be chosen among the tree's photos.
class CompareDlg : public QDialog {
    Q_OBJECT
public:
    // Each caption is drawn under its photo.
    CompareDlg(std::vector<CaptionedPhoto> photos, std::size_t first, std::size_t second, QWidget* parent = nullptr);

    QComboBox* firstBox() const { return m_firstBox; }
    QComboBox* secondBox() const { return m_secondBox; }
    QRadioButton* overlayButton() const { return m_overlay; }
    QSlider* divideSlider() const { return m_slider; }

private:
    void addPhotoChoices(QVBoxLayout* layout, std::size_t first, std::size_t second);
    // Side by side or one over the other, and the divide's slider.
    void addModes(QVBoxLayout* layout);
    void showChosen();

    std::vector<CaptionedPhoto> m_photos;
    QComboBox* m_firstBox;
    QComboBox* m_secondBox;
    QRadioButton* m_sideBySide;
    QRadioButton* m_overlay;
    QSlider* m_slider;
    ComparisonPane* m_pane;
};
