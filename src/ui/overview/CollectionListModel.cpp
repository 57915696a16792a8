#include "ui/overview/CollectionListModel.h"

#include "ui/framework/CoreTexts.h"
#include "ui/framework/AnsiText.h"
#include "core/text/Windows1252.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace {

constexpr std::size_t kLongestCellText = 400;
constexpr std::size_t kGone = std::numeric_limits<std::size_t>::max();

} // namespace

CollectionListModel::CollectionListModel(EntryCount count, talvane::search::EntryAt entryAt, Snapshot snapshot,
                                         QObject* parent)
    : QAbstractTableModel(parent), m_count(std::move(count)), m_entryAt(std::move(entryAt)),
      m_snapshot(std::move(snapshot))
{
    connect(&m_run, &FilterRun::found, this, &CollectionListModel::takeFoundRows);
    orderEntries();
    filterEntries();
}

int CollectionListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CollectionListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(talvane::search::kListColumnCount);
}

QVariant CollectionListModel::data(const QModelIndex& index, int role) const
{
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid() || index.row() >= rowCount())
        return {};
    const std::size_t position = positionAt(index.row());
    if (position >= m_count())
        return {};
    const auto column = static_cast<talvane::search::ListColumn>(index.column());
    if (role == Qt::ToolTipRole) {
        if (column != talvane::search::ListColumn::Photos)
            return {};
        const talvane::search::PhotoCount photos = talvane::search::photoCount(m_entryAt(position));
        return tr("%1 in the album, %2 on the timeline").arg(photos.album).arg(photos.timeline);
    }
    std::string text = talvane::search::listColumnText(m_entryAt(position), column);
    // A cell shows a line's start: a megabyte of notes is not laid out at every paint.
    if (text.size() > kLongestCellText)
        text.resize(kLongestCellText);
    // Interior or exterior is a choice the window names in its own language; the other
    // columns, the tree's place among them, show the tree's own texts.
    return column == talvane::search::ListColumn::InteriorExterior ? coreText(text) : fromAnsi(text);
}

QVariant CollectionListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(talvane::search::kListColumnCount))
        return {};
    return coreText(talvane::search::listColumnTitle(static_cast<talvane::search::ListColumn>(section)));
}

void CollectionListModel::sort(int column, Qt::SortOrder order)
{
    beginResetModel();
    m_sortColumn = column < static_cast<int>(talvane::search::kListColumnCount) ? column : -1;
    m_descending = order == Qt::DescendingOrder;
    orderEntries();
    filterEntries();
    endResetModel();
}

void CollectionListModel::setFilter(const QString& filter)
{
    beginResetModel();
    // A character Windows-1252 cannot hold is in no entry.
    m_filter = talvane::text::utf8ToCp1252Strict(filter.toStdString());
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

void CollectionListModel::entryInserted(std::size_t position)
{
    if (m_shown && *m_shown >= position)
        ++*m_shown;
    for (auto* positions : {&m_order, &m_rows})
        for (std::size_t& listed : *positions)
            listed += listed >= position ? 1 : 0;
    placeEntry(position);
    lookAgainIfFiltering();
}

void CollectionListModel::entryRemoved(std::size_t position)
{
    // The entry is gone already: while its row leaves, the row names no entry, and
    // the rows after it name their entries where they now are.
    if (m_shown && *m_shown == position)
        m_shown.reset();
    else if (m_shown && *m_shown > position)
        --*m_shown;
    for (auto* positions : {&m_order, &m_rows})
        for (std::size_t& listed : *positions)
            listed = listed == position ? kGone : listed - (listed > position ? 1 : 0);
    unlistEntry(kGone);
    lookAgainIfFiltering();
}

void CollectionListModel::entryChanged(std::size_t position)
{
    unlistEntry(position);
    placeEntry(position);
    lookAgainIfFiltering();
}

void CollectionListModel::entriesAppended(std::size_t first, std::size_t count)
{
    // A sorted list, or one a filter's thread makes, is made again with them.
    const bool filtered = m_filter && !matcher().matchesEverything();
    if (m_sortColumn >= 0 || m_run.isRunning() ||
        (filtered && m_snapshot && m_order.size() + count >= m_filterAloneFrom)) {
        reload();
        return;
    }
    std::vector<std::size_t> appended(count);
    std::iota(appended.begin(), appended.end(), first);
    m_order.insert(m_order.end(), appended.begin(), appended.end());
    std::vector<std::size_t> rows;
    if (m_filter)
        talvane::search::keepMatchingPositions(appended, m_entryAt, matcher(), rows);
    appendRows(rows);
}

void CollectionListModel::appendRows(const std::vector<std::size_t>& positions)
{
    if (positions.empty())
        return;
    const int first = static_cast<int>(m_rows.size());
    beginInsertRows({}, first, first + static_cast<int>(positions.size()) - 1);
    m_rows.insert(m_rows.end(), positions.begin(), positions.end());
    endInsertRows();
}

void CollectionListModel::lookAgainIfFiltering()
{
    // What the filter's thread found names entries as they were, where they were.
    if (!m_run.isRunning())
        return;
    beginResetModel();
    filterEntries();
    endResetModel();
}

std::function<bool(std::size_t)> CollectionListModel::listedBefore(std::size_t position) const
{
    if (m_sortColumn < 0)
        return [position](std::size_t listed) { return listed < position; };
    // The order sortedPositions() gives: by key, then entries alike in collection order.
    const auto column = static_cast<talvane::search::ListColumn>(m_sortColumn);
    const auto key = [this, column](std::size_t at) { return talvane::search::columnSortKey(m_entryAt(at), column); };
    return [key, position, descending = m_descending, placed = key(position)](std::size_t listed) {
        const talvane::search::ColumnSortKey listedKey = key(listed);
        if (listedKey != placed)
            return talvane::search::sortsBefore(listedKey, placed, descending);
        return listed < position;
    };
}

void CollectionListModel::placeEntry(std::size_t position)
{
    const auto before = listedBefore(position);
    m_order.insert(std::partition_point(m_order.begin(), m_order.end(), before), position);
    if (!m_filter || !matcher().matches(m_entryAt(position)))
        return;
    const auto at = std::partition_point(m_rows.begin(), m_rows.end(), before);
    const int row = static_cast<int>(at - m_rows.begin());
    beginInsertRows({}, row, row);
    m_rows.insert(at, position);
    endInsertRows();
}

void CollectionListModel::unlistEntry(std::size_t position)
{
    if (const auto listed = std::find(m_order.begin(), m_order.end(), position); listed != m_order.end())
        m_order.erase(listed);
    const auto shown = std::find(m_rows.begin(), m_rows.end(), position);
    if (shown == m_rows.end())
        return;
    const int row = static_cast<int>(shown - m_rows.begin());
    beginRemoveRows({}, row, row);
    m_rows.erase(shown);
    endRemoveRows();
}

std::optional<int> CollectionListModel::rowOf(std::size_t position) const
{
    const auto at = std::find(m_rows.begin(), m_rows.end(), position);
    if (at == m_rows.end())
        return std::nullopt;
    return static_cast<int>(at - m_rows.begin());
}

talvane::search::EntryMatcher CollectionListModel::matcher() const
{
    // Kinds of care are found by the names the window shows them by.
    return talvane::search::EntryMatcher(m_filter.value_or(std::string()), windowWords);
}

void CollectionListModel::orderEntries()
{
    const std::size_t count = m_count();
    if (m_sortColumn < 0) {
        m_order.resize(count);
        std::iota(m_order.begin(), m_order.end(), std::size_t{0});
        return;
    }
    m_order = talvane::search::sortedPositions(count, m_entryAt, static_cast<talvane::search::ListColumn>(m_sortColumn), m_descending);
}

void CollectionListModel::filterEntries()
{
    m_run.stop();
    if (!m_filter) {
        m_rows.clear();
        return;
    }
    const talvane::search::EntryMatcher filter = matcher();
    if (filter.matchesEverything()) {
        m_rows = m_order;
        return;
    }
    if (!m_snapshot || m_order.size() < m_filterAloneFrom) {
        talvane::search::keepMatchingPositions(m_order, m_entryAt, filter, m_rows);
        return;
    }
    m_rows.clear();
    m_run.start(m_snapshot(), m_order, filter);
}

void CollectionListModel::takeFoundRows()
{
    // The thread looks in list order: what it finds goes after the rows already there.
    appendRows(m_run.takeFound());
}

void CollectionListModel::finishFiltering()
{
    m_run.finish();
    takeFoundRows();
}
