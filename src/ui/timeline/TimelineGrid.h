#pragma once

#include <QListView>

class TimelineModel;

// The timeline's photos as a grid of small tiles as wide as the view, under a heading
// for each season: the columns share the width, so a wider window shows more photos a
// row, never a wider empty margin. A tile shows the start of its caption; its tool tip,
// the whole caption.
class TimelineGrid : public QListView {
    Q_OBJECT
public:
    // The narrowest a tile may be, spacing included, in pixels.
    static constexpr int kNarrowestTile = 116;

    TimelineGrid(TimelineModel& model, QWidget* parent = nullptr);

    int columns() const;
    QSize tileSize() const;
    QSize headingSize() const;

private:
    int usableWidth() const;
};
