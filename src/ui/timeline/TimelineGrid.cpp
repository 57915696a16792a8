#include "ui/timeline/TimelineGrid.h"

#include "ui/journal/CareTexts.h"
#include "ui/timeline/TimelineModel.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

constexpr int kSpacing = 4;
constexpr int kHeadingHeight = 28;
constexpr int kMargin = 4;

// The box a tile's picture is drawn in: as wide as the tile, 4 by 3 as most photos are.
QRect pictureBox(const QRect& tile)
{
    const int width = tile.width() - 2 * kMargin;
    return {tile.left() + kMargin, tile.top() + kMargin, width, width * 3 / 4};
}

// Draws a season's heading across the grid, and each photo as a tile: its thumbnail,
// its date and the start of its text; a photo that cannot be shown, as a box with the
// reason and its file's name.
class TimelineDelegate : public QStyledItemDelegate {
public:
    explicit TimelineDelegate(TimelineGrid& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        return index.data(TimelineModel::IsHeadingRole).toBool() ? m_grid.headingSize() : m_grid.tileSize();
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        if (index.data(TimelineModel::IsHeadingRole).toBool())
            paintHeading(*painter, option, index.data().toString());
        else
            paintTile(*painter, option, index);
        painter->restore();
    }

private:
    static void paintHeading(QPainter& painter, const QStyleOptionViewItem& option, const QString& heading)
    {
        const QRect r = option.rect;
        QFont font = option.font;
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 1.2);
        painter.setFont(font);
        painter.setPen(option.palette.color(QPalette::WindowText));
        painter.drawText(r.adjusted(kMargin, 0, 0, -6), Qt::AlignLeft | Qt::AlignBottom, heading);
        painter.drawLine(r.left() + kMargin, r.bottom() - 2, r.right(), r.bottom() - 2);
    }

    static void paintTile(QPainter& painter, const QStyleOptionViewItem& option, const QModelIndex& index)
    {
        const QRect r = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        if (selected)
            painter.fillRect(r, option.palette.highlight());
        const QRect box = pictureBox(r);
        const QImage thumbnail = index.data(Qt::DecorationRole).value<QImage>();
        if (!thumbnail.isNull()) {
            const QSize size = thumbnail.size().scaled(box.size(), Qt::KeepAspectRatio);
            painter.drawImage(QRect(box.center() - QPoint(size.width() / 2, size.height() / 2), size), thumbnail);
        } else {
            paintPlaceholder(painter, option, box, index.data(TimelineModel::ProblemRole).toString(),
                             index.data(TimelineModel::FileNameRole).toString());
        }
        painter.setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        QFont bold = option.font;
        bold.setBold(true);
        const QFontMetrics metrics(option.font);
        const QRect first(r.left() + kMargin, box.bottom() + kMargin, r.width() - 2 * kMargin, metrics.height());
        painter.setFont(bold);
        painter.drawText(first, Qt::AlignLeft,
                         QFontMetrics(bold).elidedText(index.data(TimelineModel::DateRole).toString(), Qt::ElideRight,
                                                       first.width()));
        painter.setFont(option.font);
        painter.drawText(first.translated(0, metrics.height()), Qt::AlignLeft,
                         metrics.elidedText(shortCaption(index), Qt::ElideRight, first.width()));
    }

    // The event's text, after its kind unless it is a plain photo's: the tile has room
    // for little more than the start of it.
    static QString shortCaption(const QModelIndex& index)
    {
        const QString text = index.data().toString().simplified();
        const QString kind = index.data(TimelineModel::KindRole).toString();
        if (kind == careKindText(talvane::journal::CareKind::Photo))
            return text.isEmpty() ? kind : text;
        return text.isEmpty() ? kind : kind + TimelineModel::tr(" \u00B7 ") + text;
    }

    // Until its thumbnail comes, a photo is an empty box; one that cannot be shown says why.
    static void paintPlaceholder(QPainter& painter, const QStyleOptionViewItem& option, const QRect& box,
                                 const QString& problem, const QString& fileName)
    {
        painter.fillRect(box, option.palette.alternateBase());
        if (problem.isEmpty())
            return;
        painter.setPen(option.palette.color(QPalette::PlaceholderText));
        const QFontMetrics metrics(option.font);
        const QRect inside = box.adjusted(kMargin, kMargin, -kMargin, -kMargin);
        const QRect nameLine(inside.left(), inside.bottom() - metrics.height(), inside.width(), metrics.height());
        painter.drawText(inside.adjusted(0, 0, 0, -metrics.height()), Qt::AlignCenter | Qt::TextWordWrap, problem);
        painter.drawText(nameLine, Qt::AlignCenter, metrics.elidedText(fileName, Qt::ElideMiddle, nameLine.width()));
    }

    TimelineGrid& m_grid;
};

} // namespace

TimelineGrid::TimelineGrid(TimelineModel& model, QWidget* parent) : QListView(parent)
{
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setUniformItemSizes(false);
    setSpacing(kSpacing);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // A scroll bar that came and went would change the columns as it did.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setItemDelegate(new TimelineDelegate(*this));
    setModel(&model);
}

// The width the tiles of a row share: the list lays an item on a row while it ends
// before the last pixel, and puts the spacing before each one.
int TimelineGrid::usableWidth() const
{
    return viewport()->width() - 1 - kSpacing;
}

int TimelineGrid::columns() const
{
    return std::max(1, usableWidth() / kNarrowestTile);
}

QSize TimelineGrid::tileSize() const
{
    const int width = std::max(kNarrowestTile, usableWidth() / columns()) - kSpacing;
    const int captionLines = 2 * fontMetrics().height();
    return {width, pictureBox(QRect(0, 0, width, 0)).height() + captionLines + 3 * kMargin};
}

QSize TimelineGrid::headingSize() const
{
    return {std::max(tileSize().width(), usableWidth() - kSpacing), kHeadingHeight};
}
