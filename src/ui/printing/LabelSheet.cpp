#include "ui/printing/LabelSheet.h"

#include <QCoreApplication>

namespace {

constexpr double kMillimetresPerInch = 25.4;

} // namespace

QRectF LabelSheet::labelRect(int slot) const
{
    const int row = slot / columns;
    const int column = slot % columns;
    return QRectF(left + column * columnStep, top + row * rowStep, labelWidth, labelHeight);
}

QString LabelSheet::problem() const
{
    if (columns < 1 || rows < 1 || labelWidth <= 0 || labelHeight <= 0)
        return QCoreApplication::translate("LabelSheet", "A sheet needs at least one label of some width and height.");
    if (columnStep < labelWidth || rowStep < labelHeight)
        return QCoreApplication::translate("LabelSheet", "The labels overlap: each step must be at least the label's size.");
    const QSizeF paper = QPageSize(this->paper).size(QPageSize::Millimeter);
    const QRectF last = labelRect(labelsPerSheet() - 1);
    // A tenth of a millimetre is lost to rounding on every common sheet.
    if (left < 0 || top < 0 || last.right() > paper.width() + 0.1 || last.bottom() > paper.height() + 0.1)
        return QCoreApplication::translate("LabelSheet", "The labels do not fit on the paper.");
    return {};
}

const std::vector<LabelSheet>& labelSheetPresets()
{
    static const std::vector<LabelSheet> presets = {
        {QCoreApplication::translate("LabelSheet", "A4, 3 \u00D7 8 labels of 70 \u00D7 37 mm"), QPageSize::A4, 3, 8, 70, 37, 0, 0.5, 70, 37},
        {QCoreApplication::translate("LabelSheet", "A4, 3 \u00D7 7 labels of 70 \u00D7 42.3 mm"), QPageSize::A4, 3, 7, 70, 42.3, 0, 0.45, 70, 42.3},
        {QCoreApplication::translate("LabelSheet", "Letter, 3 \u00D7 10 labels of 2\u215D \u00D7 1 in"), QPageSize::Letter, 3, 10,
         2.625 * kMillimetresPerInch, 1.0 * kMillimetresPerInch, 0.1875 * kMillimetresPerInch, 0.5 * kMillimetresPerInch,
         2.75 * kMillimetresPerInch, 1.0 * kMillimetresPerInch},
    };
    return presets;
}
