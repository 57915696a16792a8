#pragma once

#include "printing/LabelSheet.h"

#include <QImage>
#include <QString>

#include <string>
#include <string_view>
#include <vector>

class CBonsaiData;
class QPainter;

// What one label shows of a tree.
struct TreeLabel {
    QString name;
    QString botanicalName;
    QString code;       // the code a person types, "1Y7T-TPYS"
    std::string qrText; // what the QR code holds, "talvane:tree/…"
};

// The label of a tree with this identifier; without one, the label has no code yet.
TreeLabel MakeTreeLabel(const CBonsaiData& entry, std::string_view treeId);

// Draws a label filling `rect`, in the painter's pixels, of which there are
// `pixelsPerMillimetre`: the QR code on the left, the names and the code beside it.
void DrawTreeLabel(QPainter& painter, const QRectF& rect, double pixelsPerMillimetre, const TreeLabel& label);

// The sheets of a run of labels. The first sheet starts at slot `firstSlot`, so that a
// sheet already partly used can go through the printer again.
class LabelPages {
public:
    LabelPages(LabelSheet sheet, std::vector<TreeLabel> labels, int firstSlot);

    int pageCount() const;
    // Draws a sheet on a painter whose device is the whole paper, from its corner.
    void drawPage(QPainter& painter, int page) const;
    // The sheet as a picture, each label's edge drawn thin and grey as on the paper.
    QImage preview(int page, double pixelsPerMillimetre) const;

private:
    void drawLabels(QPainter& painter, int page, double pixelsPerMillimetre, bool edges) const;

    LabelSheet m_sheet;
    std::vector<TreeLabel> m_labels;
    int m_firstSlot;
};
