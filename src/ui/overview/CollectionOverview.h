#pragma once

#include <QObject>

#include <cstddef>
#include <functional>
#include <vector>

class CollectionListModel;
class CollectionListPanel;
class CTalvaneDoc;
class QWidget;

// The collection list of the open document: a model over the document's entries and
// the panel that shows it, in step with every change and with the current entry.
// While hidden, the list does not follow each change: it catches up when shown, so
// that a large collection pays nothing for a list nobody looks at.
class CollectionOverview : public QObject {
    Q_OBJECT
public:
    CollectionOverview(CTalvaneDoc& doc, QWidget* panelParent);

    CollectionListPanel& panel() const { return *m_panel; }
    void setShown(bool shown);
    // The positions of the entries the list holds, in its order, caught up with the
    // collection even while the list is hidden.
    std::vector<std::size_t> listedPositions();

private:
    // Runs a change of the list now, or leaves the list to catch up when it is shown.
    void follow(const std::function<void()>& change);
    void catchUp();
    void currentChanged();

    CTalvaneDoc& m_doc;
    CollectionListModel* m_model;
    CollectionListPanel* m_panel;
    bool m_stale = false;
};
