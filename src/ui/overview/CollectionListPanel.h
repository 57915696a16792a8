#pragma once

#include <QWidget>

#include <cstddef>
#include <optional>
#include <vector>

namespace talvane::search {
enum class ListColumn;
}

class CollectionListModel;
class QLabel;
class QLineEdit;
class QTableView;

// The collection list beside the pages: a filter box, the sortable list of entries
// and a line that counts them. Choosing a row (click, Enter, double-click, or a key
// that moves to it) asks for its entry to be shown; the panel itself never changes
// the current entry, and its mark always comes back to the entry the pages show.
class CollectionListPanel : public QWidget {
    Q_OBJECT
public:
    explicit CollectionListPanel(CollectionListModel& model, QWidget* parent = nullptr);

    QLineEdit* filterBox() const { return m_filter; }
    QTableView* table() const { return m_table; }
    QLabel* countLine() const { return m_count; }

    // Marks the row of the entry the pages show, if the filter keeps it: the current
    // row, among the rows selected.
    void showCurrent(std::optional<std::size_t> position);

    // The entries of the rows selected, in the list's order.
    std::vector<std::size_t> selectedPositions() const;
    // Whether the filter narrows the list.
    bool isFiltered() const;
    // The columns the list shows, in the order they stand.
    std::vector<talvane::search::ListColumn> shownColumns() const;

    // The column widths, kept between runs; without them, each column is as wide as
    // its usual text or its heading.
    QByteArray columnState() const;
    void restoreColumnState(const QByteArray& state);

signals:
    void entryChosen(std::size_t position);
    // The Delete key was pressed in the list, on the row of the entry the pages show.
    void deleteShownAsked();

private:
    void setUpTable();
    void sizeColumnsToUsualTexts();
    void addFilterShortcuts();
    // The filter narrows the model; a click or Enter on a row chooses its entry.
    void connectChoices();
    void choose(const QModelIndex& index);
    void deletePressed();
    void updateCountLine();

    CollectionListModel& m_model;
    QLineEdit* m_filter;
    QTableView* m_table;
    QLabel* m_count;
};
