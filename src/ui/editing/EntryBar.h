#pragma once

#include <QWidget>

class QComboBox;
class QPushButton;

// The bar under the tool bar: the drop-down list of entries and the Add, Update and
// Delete buttons. The main frame holds it; the entry view drives it.
class EntryBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kEntryList = 1040;
    static constexpr int kAdd = 1042;
    static constexpr int kUpdate = 1048;
    static constexpr int kDelete = 1041;

    explicit EntryBar(QWidget* parent = nullptr);

    QComboBox* entryList() const { return m_entries; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* updateButton() const { return m_update; }
    QPushButton* deleteButton() const { return m_delete; }

private:
    QComboBox* m_entries;
    QPushButton* m_add;
    QPushButton* m_update;
    QPushButton* m_delete;
};
