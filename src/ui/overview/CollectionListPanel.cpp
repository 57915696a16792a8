#include "ui/overview/CollectionListPanel.h"

#include "ui/framework/CoreTexts.h"
#include "ui/overview/CollectionListModel.h"
#include "core/search/ListColumns.h"
#include "ui/framework/FullTextTip.h"

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace {

// How many characters of average width a column's usual text takes: the columns start
// wide enough for it, or for their heading.
int usualTextLength(talvane::search::ListColumn column)
{
    switch (column) {
    case talvane::search::ListColumn::Name:
        return 21;
    case talvane::search::ListColumn::BotanicalName:
        return 23;
    case talvane::search::ListColumn::CommonName:
        return 20;
    case talvane::search::ListColumn::Style:
        return 26;
    case talvane::search::ListColumn::Purchased:
        return 16;
    case talvane::search::ListColumn::Place:
        return 12;
    case talvane::search::ListColumn::InteriorExterior:
    case talvane::search::ListColumn::Photos:
        break;
    }
    return 0;
}

// The list's table, where a key that moves the current row (an arrow, Page Down, Home,
// a name's first letters) chooses that row, as a click does; so does a drag that ends
// on another row than it started. Delete is the panel's to answer.
class EntryTable : public QTableView {
public:
    EntryTable(std::function<void(const QModelIndex&)> moved, std::function<void()> deletePressed, QWidget* parent)
        : QTableView(parent), m_moved(std::move(moved)), m_deletePressed(std::move(deletePressed))
    {
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
            m_deletePressed();
            return;
        }
        const int before = currentIndex().row();
        QTableView::keyPressEvent(event);
        movedFrom(before);
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        QTableView::mousePressEvent(event);
        m_pressedRow = currentIndex().row();
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QTableView::mouseReleaseEvent(event);
        movedFrom(m_pressedRow);
    }

private:
    void movedFrom(int row)
    {
        if (currentIndex().isValid() && currentIndex().row() != row)
            m_moved(currentIndex());
    }

    std::function<void(const QModelIndex&)> m_moved;
    std::function<void()> m_deletePressed;
    int m_pressedRow = -1;
};

} // namespace

CollectionListPanel::CollectionListPanel(CollectionListModel& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_filter(new QLineEdit(this)),
      m_table(new EntryTable([this](const QModelIndex& index) { choose(index); }, [this] { deletePressed(); }, this)),
      m_count(new QLabel(this))
{
    m_filter->setPlaceholderText(tr("Find trees"));
    m_filter->setAccessibleName(tr("Find trees"));
    m_filter->setClearButtonEnabled(true);
    new FullTextTip(m_filter, m_filter);
    setUpTable();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_filter);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_count);

    addFilterShortcuts();
    connectChoices();
    updateCountLine();
}

void CollectionListPanel::setUpTable()
{
    m_table->setModel(&m_model);
    m_table->setAccessibleName(tr("Collection list"));
    // Tab leaves the list for the window's next control: the arrows move within it.
    m_table->setTabKeyNavigation(false);
    // Until a header is clicked, the list keeps the collection's order.
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Several rows can be chosen, for labels; a click still shows its tree.
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    // Rows of one height: the view never measures 100,000 rows.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    // The user sizes the columns; they start at the width of their usual texts.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    sizeColumnsToUsualTexts();
}

void CollectionListPanel::addFilterShortcuts()
{
    // Ctrl+F reaches the filter from anywhere in the window; Escape in it clears it.
    auto* find = new QAction(this);
    find->setShortcut(QKeySequence::Find);
    find->setShortcutContext(Qt::WindowShortcut);
    connect(find, &QAction::triggered, this, [this] {
        m_filter->setFocus(Qt::ShortcutFocusReason);
        m_filter->selectAll();
    });
    addAction(find);
    auto* clear = new QAction(m_filter);
    clear->setShortcut(Qt::Key_Escape);
    clear->setShortcutContext(Qt::WidgetShortcut);
    connect(clear, &QAction::triggered, m_filter, &QLineEdit::clear);
    m_filter->addAction(clear);
}

void CollectionListPanel::connectChoices()
{
    connect(m_filter, &QLineEdit::textChanged, &m_model, &CollectionListModel::setFilter);
    connect(m_table, &QTableView::clicked, this, &CollectionListPanel::choose);
    connect(m_table, &QTableView::activated, this, &CollectionListPanel::choose);
    const auto rowsChanged = [this] {
        updateCountLine();
        showCurrent(m_model.shownEntry());
    };
    connect(&m_model, &QAbstractItemModel::modelReset, this, rowsChanged);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, [this] {
        updateCountLine();
        // Rows a filter finds come after the ones shown: a mark already there stays put
        // and the list is not scrolled back to it.
        if (!m_table->currentIndex().isValid())
            showCurrent(m_model.shownEntry());
    });
    connect(&m_model, &QAbstractItemModel::rowsRemoved, this, rowsChanged);
}

void CollectionListPanel::showCurrent(std::optional<std::size_t> position)
{
    m_model.setShownEntry(position);
    const auto row = position ? m_model.rowOf(*position) : std::nullopt;
    if (!row) {
        m_table->clearSelection();
        return;
    }
    const QModelIndex index = m_model.index(*row, 0);
    // Rows chosen along with the current one (Shift, Ctrl), for labels, stay chosen.
    if (m_table->currentIndex().row() == *row)
        m_table->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    else
        m_table->selectionModel()->setCurrentIndex(index,
                                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_table->scrollTo(index);
}

QByteArray CollectionListPanel::columnState() const
{
    return m_table->horizontalHeader()->saveState();
}

void CollectionListPanel::restoreColumnState(const QByteArray& state)
{
    m_table->horizontalHeader()->restoreState(state);
}

void CollectionListPanel::sizeColumnsToUsualTexts()
{
    QHeaderView* header = m_table->horizontalHeader();
    const int characterWidth = m_table->fontMetrics().averageCharWidth();
    // A cell keeps a little room on either side of its text.
    const int cellMargins = 2 * (m_table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_table) + 1);
    for (int column = 0; column < header->count(); ++column) {
        const int usual = usualTextLength(static_cast<talvane::search::ListColumn>(column)) * characterWidth + cellMargins;
        header->resizeSection(column, std::max(header->sectionSizeHint(column), usual));
    }
}

void CollectionListPanel::choose(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    emit entryChosen(m_model.positionAt(index.row()));
    // Whether or not the pages took the choice, the mark is where they are.
    showCurrent(m_model.shownEntry());
}

void CollectionListPanel::deletePressed()
{
    // Delete in the list asks about the tree shown, and only while its row is marked.
    const auto shown = m_model.shownEntry();
    if (shown && m_model.rowOf(*shown))
        emit deleteShownAsked();
}

void CollectionListPanel::updateCountLine()
{
    m_count->setText(QString::fromStdString(talvane::search::listedTreesText(static_cast<std::size_t>(m_model.rowCount()),
                                                                   m_model.entryCount(), isFiltered(), windowWords)));
}

bool CollectionListPanel::isFiltered() const
{
    return !m_filter->text().trimmed().isEmpty();
}

std::vector<talvane::search::ListColumn> CollectionListPanel::shownColumns() const
{
    const QHeaderView* header = m_table->horizontalHeader();
    std::vector<talvane::search::ListColumn> columns;
    for (int visual = 0; visual < header->count(); ++visual)
        if (const int logical = header->logicalIndex(visual); !header->isSectionHidden(logical))
            columns.push_back(static_cast<talvane::search::ListColumn>(logical));
    return columns;
}

std::vector<std::size_t> CollectionListPanel::selectedPositions() const
{
    std::vector<int> rows;
    for (const QModelIndex& row : m_table->selectionModel()->selectedRows())
        rows.push_back(row.row());
    std::sort(rows.begin(), rows.end());
    std::vector<std::size_t> positions;
    positions.reserve(rows.size());
    for (const int row : rows)
        positions.push_back(m_model.positionAt(row));
    return positions;
}
