#pragma once

#include "ui/printing/LabelSheet.h"

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <string>
#include <string_view>
#include <vector>

class CBonsaiData;
class QPaintDevice;
class QPainter;

// What one label shows of a tree.
struct TreeLabel {
    QString name;
    QString botanicalName;
    QString code;       // the code a person types, "1Y7T-TPYS"
    std::string qrText; // what the QR code holds, "talvane:tree/…"
};

// The label of a tree with this identifier; without one, the label has no code yet.
TreeLabel makeTreeLabel(const CBonsaiData& entry, std::string_view treeId);

// One line of a label's text; its top left corner in the device's pixels.
struct LabelLine {
    QString text;
    QFont font;
    QPointF topLeft;
};

// Where a label's parts go on a device.
struct LabelLayout {
    QRectF qrCode; // empty for a label without a code
    std::vector<LabelLine> lines;
};

// A label filling `rect`, in the device's pixels, of which there are
// `pixelsPerMillimetre`: the QR code on the left; beside it the name, the botanical
// name and the code, as large as the label's height allows. A name too long for one
// line goes on to a second, and only what two lines cannot hold is cut with an
// ellipsis; the texts are made smaller for the lines under it to fit, and on a label
// still too small the last lines are left out.
LabelLayout layOutTreeLabel(const QPaintDevice& device, const QRectF& rect, double pixelsPerMillimetre,
                            const TreeLabel& label);

// Draws the label as layOutTreeLabel() places it, on the painter's device.
void drawTreeLabel(QPainter& painter, const QRectF& rect, double pixelsPerMillimetre, const TreeLabel& label);

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
