#pragma once

#include "ui/timeline/PhotoReading.h"

#include <QDialog>
#include <QString>

#include <vector>

class QGraphicsPixmapItem;
class QGraphicsScene;
class QGraphicsView;
class QLabel;

// A timeline photo full size under its whole caption: the wheel, + and - zoom, dragging
// pans, 0 fits the photo to the window and 1 shows it pixel for pixel; the arrow keys
// step to the photo before or after, Home and End to the first and the last.
class PhotoViewer : public QDialog {
    Q_OBJECT
public:
    // Each caption is the window's title while its photo is shown.
    PhotoViewer(std::vector<CaptionedPhoto> photos, std::size_t shown, QWidget* parent = nullptr);

    std::size_t shownIndex() const { return m_shown; }
    // The zoom: 1 is pixel for pixel.
    double zoom() const;
    QGraphicsView* view() const { return m_view; }
    QLabel* caption() const { return m_caption; }
    QLabel* notice() const { return m_notice; }

public slots:
    void showNext();
    void showPrevious();
    void zoomIn();
    void zoomOut();
    void fitToWindow();
    void showActualSize();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show(std::size_t index);
    bool handleKey(int key);
    void zoomBy(double factor);

    std::vector<CaptionedPhoto> m_photos;
    std::size_t m_shown = 0;
    bool m_fitted = true;
    QGraphicsScene* m_scene;
    QGraphicsView* m_view;
    QGraphicsPixmapItem* m_item;
    QLabel* m_caption;
    QLabel* m_notice;
};
