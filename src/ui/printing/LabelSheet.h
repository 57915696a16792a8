#pragma once

#include <QPageSize>
#include <QRectF>
#include <QString>

#include <vector>

// A sheet of sticky labels: the paper, the grid of labels and where it lies on the
// paper, in millimetres from the paper's top left corner.
struct LabelSheet {
    QString name;
    QPageSize::PageSizeId paper = QPageSize::A4;
    int columns = 3;
    int rows = 8;
    double labelWidth = 70;
    double labelHeight = 37;
    double left = 0;    // from the paper's left edge to the first column
    double top = 0;     // from the paper's top edge to the first row
    double columnStep = 70; // from one column's left edge to the next one's
    double rowStep = 37;    // from one row's top edge to the next one's

    int labelsPerSheet() const { return columns * rows; }
    // The label at a slot of the sheet, counted from 0 along the rows.
    QRectF labelRect(int slot) const;
    // Why the sheet cannot be printed ("The labels do not fit on the paper."), or nothing.
    QString problem() const;
};

// The common sheets: A4 of 3 × 8 and 3 × 7 labels, Letter of 3 × 10.
const std::vector<LabelSheet>& labelSheetPresets();
