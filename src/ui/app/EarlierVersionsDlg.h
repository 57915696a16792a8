#pragma once

#include "core/collection/VersionStore.h"

#include <QDialog>

#include <optional>
#include <vector>

class QTreeWidget;

// File "Restore an earlier version…": the versions kept of the open collection, newest
// first, with when each was replaced, how many trees it holds and its size.
class EarlierVersionsDlg : public QDialog {
    Q_OBJECT
public:
    EarlierVersionsDlg(std::vector<talvane::collection::KeptVersion> versions, QWidget* parent = nullptr);

    QTreeWidget& list() const { return *m_list; }
    // The version chosen with Open, if any.
    std::optional<talvane::collection::KeptVersion> chosenVersion() const;

private:
    std::vector<talvane::collection::KeptVersion> m_versions;
    QTreeWidget* m_list;
};
