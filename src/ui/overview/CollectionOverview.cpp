#include "ui/overview/CollectionOverview.h"

#include "ui/document/TalvaneDoc.h"
#include "ui/overview/CollectionListModel.h"
#include "ui/overview/CollectionListPanel.h"

CollectionOverview::CollectionOverview(CTalvaneDoc& doc, QWidget* panelParent)
    : QObject(panelParent), m_doc(doc),
      m_model(new CollectionListModel([&doc] { return doc.entryCount(); },
                                      [&doc](std::size_t position) -> const CBonsaiData& { return doc.entryAt(position); },
                                      [&doc] { return doc.entries(); }, this)),
      m_panel(new CollectionListPanel(*m_model, panelParent))
{
    m_panel->hide();
    connect(&doc, &CTalvaneDoc::entryInserted, this,
            [this](std::size_t position) { follow([this, position] { m_model->entryInserted(position); }); });
    connect(&doc, &CTalvaneDoc::entryRemoved, this,
            [this](std::size_t position) { follow([this, position] { m_model->entryRemoved(position); }); });
    connect(&doc, &CTalvaneDoc::entriesAppended, this, [this](std::size_t first, std::size_t count) {
        follow([this, first, count] { m_model->entriesAppended(first, count); });
    });
    connect(&doc, &CTalvaneDoc::entryChanged, this,
            [this](std::size_t position) { follow([this, position] { m_model->entryChanged(position); }); });
    // A new collection comes with its current entry: the list marks it once it has reloaded.
    connect(&doc, &CTalvaneDoc::entriesReset, this, [this] {
        follow([this] { m_model->reload(); });
        currentChanged();
    });
    connect(&doc, &CTalvaneDoc::currentChanged, this, &CollectionOverview::currentChanged);
}

void CollectionOverview::setShown(bool shown)
{
    if (shown)
        catchUp();
    if (shown)
        m_panel->showCurrent(m_doc.currentPosition());
    m_panel->setHidden(!shown);
}

void CollectionOverview::follow(const std::function<void()>& change)
{
    if (m_panel->isHidden()) {
        m_stale = true;
        return;
    }
    change();
}

void CollectionOverview::currentChanged()
{
    // Rows of a stale list may name entries that are gone; the mark waits for the catch-up.
    if (!m_stale)
        m_panel->showCurrent(m_doc.currentPosition());
}

void CollectionOverview::catchUp()
{
    if (!m_stale)
        return;
    m_stale = false;
    m_model->reload();
}

std::vector<std::size_t> CollectionOverview::listedPositions()
{
    catchUp();
    m_model->finishFiltering();
    std::vector<std::size_t> positions;
    positions.reserve(static_cast<std::size_t>(m_model->rowCount()));
    for (int row = 0; row < m_model->rowCount(); ++row)
        positions.push_back(m_model->positionAt(row));
    return positions;
}
