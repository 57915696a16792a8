#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/search/EntryOrder.h"
#include "ui/overview/FilterRun.h"

#include <QAbstractTableModel>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The rows of the collection list: the entries of the collection, read where they
// are held (nothing is copied), in the order of the sorted column and narrowed by
// the filter. Sorting changes only the list's order, never the collection's. Given a
// snapshot of the entries, a large collection is filtered on a thread of its own: the
// rows come as they are found, and a newer filter or a change of the entries starts the
// search again.
class CollectionListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using EntryCount = std::function<std::size_t()>;
    using Snapshot = std::function<talvane::collection::EntryList()>;
    // Collections of this many entries or more are filtered on a thread of their own.
    static constexpr std::size_t kFilterAloneFrom = 5000;

    CollectionListModel(EntryCount count, talvane::search::EntryAt entryAt, Snapshot snapshot = {},
                        QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // A negative column puts the rows back in collection order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Keeps only the entries in which every word of the filter appears.
    void setFilter(const QString& filter);
    // All the entries were replaced: the rows are ordered and filtered again.
    void reload();
    // One entry was added at a position, removed from it, or changed there: the rows
    // follow without ordering and filtering the whole collection again.
    void entryInserted(std::size_t position);
    void entryRemoved(std::size_t position);
    void entryChanged(std::size_t position);
    // Entries of a collection being opened came after the others.
    void entriesAppended(std::size_t first, std::size_t count);

    std::size_t entryCount() const { return m_order.size(); }
    std::size_t positionAt(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
    // The row that shows the entry, or nothing when the filter hides it.
    std::optional<int> rowOf(std::size_t position) const;
    // Whether the rows are still coming, and waiting until they are all there.
    bool isFiltering() const { return m_run.isRunning(); }
    void finishFiltering();
    // From how many entries the filter runs on its own thread (kFilterAloneFrom).
    void setFilterAloneFrom(std::size_t entries) { m_filterAloneFrom = entries; }

    // The entry the pages show, which the list marks. It follows the entries added and
    // removed before it, as every position the list holds does, so the mark never
    // lands on another tree while the rows change.
    std::optional<std::size_t> shownEntry() const { return m_shown; }
    void setShownEntry(std::optional<std::size_t> position) { m_shown = position; }

private:
    talvane::search::EntryMatcher matcher() const;
    void orderEntries();
    void filterEntries();
    // Rows found by the filter's thread join the list.
    void takeFoundRows();
    void appendRows(const std::vector<std::size_t>& positions);
    void lookAgainIfFiltering();
    // Whether an entry already listed comes before the one at `position`.
    std::function<bool(std::size_t)> listedBefore(std::size_t position) const;
    void placeEntry(std::size_t position);
    void unlistEntry(std::size_t position);

    EntryCount m_count;
    talvane::search::EntryAt m_entryAt;
    int m_sortColumn = -1;
    bool m_descending = false;
    // Nothing when the filter holds a character no entry can hold.
    std::optional<std::string> m_filter = std::string();
    // Every position, in list order; then the ones the filter keeps, in the same order.
    std::vector<std::size_t> m_order;
    std::vector<std::size_t> m_rows;
    std::optional<std::size_t> m_shown;
    Snapshot m_snapshot;
    std::size_t m_filterAloneFrom = kFilterAloneFrom;
    FilterRun m_run;
};
