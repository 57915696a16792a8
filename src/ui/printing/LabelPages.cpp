#include "printing/LabelPages.h"

#include "collection/BonsaiData.h"
#include "framework/AnsiText.h"
#include "framework/QrPicture.h"
#include "labels/TreeLabel.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

constexpr double kPaddingMillimetres = 3;
constexpr double kPointsPerMillimetre = 72 / 25.4;

QFont LabelFont(double points, bool bold, bool italic)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace

TreeLabel MakeTreeLabel(const CBonsaiData& entry, std::string_view treeId)
{
    TreeLabel label{FromAnsi(entry[CBonsaiData::Name]), FromAnsi(entry[CBonsaiData::BotanicalName]), {}, {}};
    if (!treeId.empty()) {
        label.code = QString::fromStdString(talvane::treeCode(treeId));
        label.qrText = talvane::treeQrText(treeId);
    }
    return label;
}

void DrawTreeLabel(QPainter& painter, const QRectF& rect, double pixelsPerMillimetre, const TreeLabel& label)
{
    const double padding = kPaddingMillimetres * pixelsPerMillimetre;
    const QRectF inside = rect.adjusted(padding, padding, -padding, -padding);
    if (inside.width() <= 0 || inside.height() <= 0)
        return;
    double textLeft = inside.left();
    if (const auto code = talvane::QrCode::encode(label.qrText)) {
        const double side = std::min(inside.height(), inside.width() * 0.45);
        // The code's own white border stands in for the padding on its side.
        DrawQrCode(painter, QRectF(inside.left() - padding / 2, inside.top() + (inside.height() - side) / 2, side, side), *code);
        textLeft += side;
    }
    const QRectF text(textLeft, inside.top(), inside.right() - textLeft, inside.height());
    // Texts as large as the label's height allows, up to a size that reads at arm's length.
    const double heightPoints = inside.height() / pixelsPerMillimetre * kPointsPerMillimetre;
    const double base = std::clamp(heightPoints / 5.2, 5.0, 11.0);
    struct Line {
        QString text;
        QFont font;
    };
    const Line lines[] = {{label.name, LabelFont(base * 1.2, true, false)},
                          {label.botanicalName, LabelFont(base * 0.9, false, true)},
                          {label.code, LabelFont(base, true, false)}};
    double y = text.top();
    painter.setPen(Qt::black);
    for (const Line& line : lines) {
        painter.setFont(line.font);
        const QFontMetricsF metrics(line.font, painter.device());
        if (y + metrics.height() > text.bottom() + 0.5)
            break;
        painter.drawText(QPointF(text.left(), y + metrics.ascent()), metrics.elidedText(line.text, Qt::ElideRight, text.width()));
        y += metrics.lineSpacing() * 1.15;
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
            DrawTreeLabel(painter, rect, pixelsPerMillimetre, m_labels[static_cast<std::size_t>(index)]);
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
