#pragma once

#include <QListView>

#include <cstddef>
#include <vector>

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
    // The photos whose tiles show, wholly or in part, in the visible part of the grid.
    std::vector<std::size_t> photosInView() const;

private:
    int usableWidth() const;

    TimelineModel& m_model;
};
