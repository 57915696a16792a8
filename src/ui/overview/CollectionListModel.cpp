#include "overview/CollectionListModel.h"

#include "framework/AnsiText.h"
#include "text/Windows1252.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr std::size_t kLongestCellText = 400;

} // namespace

CollectionListModel::CollectionListModel(EntryCount count, search::EntryAt entryAt, QObject* parent)
    : QAbstractTableModel(parent), m_count(std::move(count)), m_entryAt(std::move(entryAt))
{
    orderEntries();
    filterEntries();
}

int CollectionListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CollectionListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(search::kListColumnCount);
}

QVariant CollectionListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    const auto column = static_cast<search::ListColumn>(index.column());
    std::string text = search::listColumnText(m_entryAt(positionAt(index.row())), column);
    // A cell shows a line's start: a megabyte of notes is not laid out at every paint.
    if (text.size() > kLongestCellText)
        text.resize(kLongestCellText);
    return FromAnsi(text);
}

QVariant CollectionListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(search::kListColumnCount))
        return {};
    return QString::fromLatin1(search::listColumnTitle(static_cast<search::ListColumn>(section)));
}

void CollectionListModel::sort(int column, Qt::SortOrder order)
{
    beginResetModel();
    m_sortColumn = column < static_cast<int>(search::kListColumnCount) ? column : -1;
    m_descending = order == Qt::DescendingOrder;
    orderEntries();
    filterEntries();
    endResetModel();
}

void CollectionListModel::setFilter(const QString& filter)
{
    beginResetModel();
    // A character Windows-1252 cannot hold is in no entry.
    m_filter = text::Utf8ToCp1252Strict(filter.toStdString());
    filterEntries();
    endResetModel();
}

void CollectionListModel::reload()
{
    beginResetModel();
    orderEntries();
    filterEntries();
    endResetModel();
}

std::optional<int> CollectionListModel::rowOf(std::size_t position) const
{
    const auto at = std::find(m_rows.begin(), m_rows.end(), position);
    if (at == m_rows.end())
        return std::nullopt;
    return static_cast<int>(at - m_rows.begin());
}

void CollectionListModel::orderEntries()
{
    const std::size_t count = m_count();
    if (m_sortColumn < 0) {
        m_order.resize(count);
        std::iota(m_order.begin(), m_order.end(), std::size_t{0});
        return;
    }
    m_order = search::sortedPositions(count, m_entryAt, static_cast<search::ListColumn>(m_sortColumn), m_descending);
}

void CollectionListModel::filterEntries()
{
    if (!m_filter) {
        m_rows.clear();
        return;
    }
    search::keepMatchingPositions(m_order, m_entryAt, search::EntryMatcher(*m_filter), m_rows);
}
