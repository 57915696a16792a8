#include "ui/printing/LabelPages.h"

#include "core/collection/BonsaiData.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/QrPicture.h"
#include "core/labels/TreeLabel.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace {

constexpr double kPaddingMillimetres = 3;
constexpr double kPointsPerMillimetre = 72 / 25.4;
// The size of the code's text, in points, from which the names' are made.
constexpr double kSmallestBase = 5;
constexpr double kLargestBase = 11;

QFont labelFont(double points, bool bold, bool italic)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// The text in at most two lines of `width`, broken between words where it can: the
// second is cut with an ellipsis where the rest does not fit on it.
QStringList inTwoLines(const QString& text, const QFont& font, const QPaintDevice& device, double width)
{
    const QFontMetricsF metrics(font, &device);
    if (metrics.horizontalAdvance(text) <= width)
        return {text};
    QTextLayout layout(text, font, &device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine first = layout.createLine();
    first.setLineWidth(width);
    layout.endLayout();
    const int end = first.textStart() + first.textLength();
    return {text.left(end).trimmed(), metrics.elidedText(text.mid(end).trimmed(), Qt::ElideRight, width)};
}

// The label's texts at the sizes `base` gives them, one under another from the top
// of `area`; the lines of the name closer together than the texts.
std::vector<LabelLine> stackedLines(const QPaintDevice& device, const QRectF& area, double base, const TreeLabel& label)
{
    const QFont nameFont = labelFont(base * 1.2, true, false);
    std::vector<LabelLine> lines;
    const QStringList name = inTwoLines(label.name.simplified(), nameFont, device, area.width());
    for (const QString& part : name)
        lines.push_back({part, nameFont, {}});
    lines.push_back({label.botanicalName, labelFont(base * 0.9, false, true), {}});
    lines.push_back({label.code, labelFont(base, true, false), {}});
    double y = area.top();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QFontMetricsF metrics(lines[i].font, &device);
        lines[i].text = metrics.elidedText(lines[i].text, Qt::ElideRight, area.width());
        lines[i].topLeft = QPointF(area.left(), y);
        const bool nameGoesOn = i + 1 < static_cast<std::size_t>(name.size());
        y += metrics.lineSpacing() * (nameGoesOn ? 1.0 : 1.15);
    }
    return lines;
}

} // namespace

TreeLabel makeTreeLabel(const CBonsaiData& entry, std::string_view treeId)
{
    TreeLabel label{fromAnsi(entry[CBonsaiData::Name]), fromAnsi(entry[CBonsaiData::BotanicalName]), {}, {}};
    if (!treeId.empty()) {
        label.code = QString::fromStdString(talvane::labels::treeCode(treeId));
        label.qrText = talvane::labels::treeQrText(treeId);
    }
    return label;
}

LabelLayout layOutTreeLabel(const QPaintDevice& device, const QRectF& rect, double pixelsPerMillimetre,
                            const TreeLabel& label)
{
    LabelLayout layout;
    const double padding = kPaddingMillimetres * pixelsPerMillimetre;
    const QRectF inside = rect.adjusted(padding, padding, -padding, -padding);
    if (inside.width() <= 0 || inside.height() <= 0)
        return layout;
    double textLeft = inside.left();
    if (!label.qrText.empty()) {
        const double side = std::min(inside.height(), inside.width() * 0.45);
        // The code's own white border stands in for the padding on its side.
        layout.qrCode = QRectF(inside.left() - padding / 2, inside.top() + (inside.height() - side) / 2, side, side);
        textLeft += side;
    }
    const QRectF area(textLeft, inside.top(), inside.right() - textLeft, inside.height());
    const auto bottomOf = [&device](const LabelLine& line) { return line.topLeft.y() + QFontMetricsF(line.font, &device).height(); };
    // Texts as large as the label's height allows, up to a size that reads at arm's
    // length, and smaller where a name on two lines leaves too little room under it.
    const double heightPoints = inside.height() / pixelsPerMillimetre * kPointsPerMillimetre;
    for (double base = std::clamp(heightPoints / 5.2, kSmallestBase, kLargestBase);; base = std::max(kSmallestBase, base * 0.95)) {
        layout.lines = stackedLines(device, area, base, label);
        if (bottomOf(layout.lines.back()) <= area.bottom() + 0.5 || base == kSmallestBase)
            break;
    }
    const auto below = std::find_if(layout.lines.begin(), layout.lines.end(),
                                    [&](const LabelLine& line) { return bottomOf(line) > area.bottom() + 0.5; });
    layout.lines.erase(below, layout.lines.end());
    return layout;
}

void drawTreeLabel(QPainter& painter, const QRectF& rect, double pixelsPerMillimetre, const TreeLabel& label)
{
    const LabelLayout layout = layOutTreeLabel(*painter.device(), rect, pixelsPerMillimetre, label);
    if (!layout.qrCode.isEmpty()) {
        if (const auto code = talvane::labels::QrCode::encode(label.qrText))
            drawQrCode(painter, layout.qrCode, *code);
    }
    painter.setPen(Qt::black);
    for (const LabelLine& line : layout.lines) {
        painter.setFont(line.font);
        painter.drawText(line.topLeft + QPointF(0, QFontMetricsF(line.font, painter.device()).ascent()), line.text);
    }
}

LabelPages::LabelPages(LabelSheet sheet, std::vector<TreeLabel> labels, int firstSlot)
    : m_sheet(std::move(sheet)), m_labels(std::move(labels)),
      m_firstSlot(std::clamp(firstSlot, 0, std::max(0, m_sheet.labelsPerSheet() - 1)))
{
}

int LabelPages::pageCount() const
{
    const int used = m_firstSlot + static_cast<int>(m_labels.size());
    const int perSheet = std::max(1, m_sheet.labelsPerSheet());
    return std::max(1, (used + perSheet - 1) / perSheet);
}

void LabelPages::drawLabels(QPainter& painter, int page, double pixelsPerMillimetre, bool edges) const
{
    const int perSheet = m_sheet.labelsPerSheet();
    const auto toPixels = [pixelsPerMillimetre](const QRectF& millimetres) {
        return QRectF(millimetres.topLeft() * pixelsPerMillimetre, millimetres.size() * pixelsPerMillimetre);
    };
    for (int slot = 0; slot < perSheet; ++slot) {
        const QRectF rect = toPixels(m_sheet.labelRect(slot));
        if (edges) {
            painter.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 0));
            painter.drawRect(rect);
        }
        const long index = static_cast<long>(page - 1) * perSheet + slot - m_firstSlot;
        if (index >= 0 && index < static_cast<long>(m_labels.size()))
            drawTreeLabel(painter, rect, pixelsPerMillimetre, m_labels[static_cast<std::size_t>(index)]);
    }
}

void LabelPages::drawPage(QPainter& painter, int page) const
{
    drawLabels(painter, page, painter.device()->logicalDpiX() / 25.4, false);
}

QImage LabelPages::preview(int page, double pixelsPerMillimetre) const
{
    const QSizeF paper = QPageSize(m_sheet.paper).size(QPageSize::Millimeter) * pixelsPerMillimetre;
    QImage image(paper.toSize(), QImage::Format_RGB32);
    // Its fonts are measured at its own scale, as a printer's are.
    image.setDotsPerMeterX(static_cast<int>(pixelsPerMillimetre * 1000));
    image.setDotsPerMeterY(static_cast<int>(pixelsPerMillimetre * 1000));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawLabels(painter, page, pixelsPerMillimetre, true);
    return image;
}
