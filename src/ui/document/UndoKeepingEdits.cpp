#include "ui/document/UndoKeepingEdits.h"

#include <QCoreApplication>

#include <algorithm>

using namespace talvane::collection;

namespace {

std::optional<std::size_t> positionOf(const CTalvaneDoc& doc, const CBonsaiData* entry)
{
    const EntryList& entries = doc.entries();
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [entry](const auto& e) { return e.get() == entry; });
    if (found == entries.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - entries.begin());
}

// Where an entry stands after a step. A step that changes its fields may give it a
// new copy (a snapshot kept the old one), so it is followed by position: entries move
// only when others are added or removed before them.
class PositionFollower {
public:
    PositionFollower(CTalvaneDoc& doc, std::optional<std::size_t> position) : m_position(position)
    {
        m_inserted = QObject::connect(&doc, &CTalvaneDoc::entryInserted, [this](std::size_t at) {
            if (m_position && *m_position >= at)
                ++*m_position;
        });
        m_removed = QObject::connect(&doc, &CTalvaneDoc::entryRemoved, [this](std::size_t at) {
            if (m_position && *m_position == at)
                m_position.reset();
            else if (m_position && *m_position > at)
                --*m_position;
        });
    }
    ~PositionFollower()
    {
        QObject::disconnect(m_inserted);
        QObject::disconnect(m_removed);
    }
    PositionFollower(const PositionFollower&) = delete;
    PositionFollower& operator=(const PositionFollower&) = delete;

    std::optional<std::size_t> position() const { return m_position; }

private:
    std::optional<std::size_t> m_position;
    QMetaObject::Connection m_inserted;
    QMetaObject::Connection m_removed;
};

// False when the entry already holds every value.
bool keepEdits(CTalvaneDoc& doc, const KeptPageEdits& edits, std::size_t position)
{
    return doc.changeFields(position, edits.values,
                            CTalvaneDoc::stepText(QCoreApplication::translate("UndoKeepingEdits", "Update"), doc.entryAt(position)[CBonsaiData::Name]));
}

// Keeps the edits after a step, and shows again the entry the step showed: a change of
// fields moves no entry.
void keepEditsAfterStep(CTalvaneDoc& doc, const KeptPageEdits& edits, std::size_t position)
{
    const std::optional<std::size_t> shown = doc.currentPosition();
    keepEdits(doc, edits, position);
    doc.setCurrentPosition(shown);
}

// Takes a step and tells where the edited entry stands after it, if it is still there.
std::optional<std::size_t> afterStep(CTalvaneDoc& doc, const KeptPageEdits& edits, void (QUndoStack::*step)())
{
    const PositionFollower follower(doc, positionOf(doc, edits.entry));
    (doc.history().*step)();
    return follower.position();
}

} // namespace

void undoKeepingEdits(CTalvaneDoc& doc, const KeptPageEdits& edits)
{
    QUndoStack& history = doc.history();
    if (const auto position = afterStep(doc, edits, &QUndoStack::undo)) {
        keepEditsAfterStep(doc, edits, *position);
        return;
    }
    // Redoing brings back the very entry (the step holds it), which takes the edits
    // as the step above its own; both are then undone.
    history.redo();
    const auto position = positionOf(doc, edits.entry);
    if (position && keepEdits(doc, edits, *position))
        history.undo();
    history.undo();
}

void redoKeepingEdits(CTalvaneDoc& doc, const KeptPageEdits& edits)
{
    QUndoStack& history = doc.history();
    if (const auto position = afterStep(doc, edits, &QUndoStack::redo)) {
        keepEditsAfterStep(doc, edits, *position);
        return;
    }
    // Only a deletion takes an entry away when redone: the entry comes back, takes
    // the edits, and is deleted again as the step did.
    history.undo();
    const auto position = positionOf(doc, edits.entry);
    if (!position)
        return;
    keepEdits(doc, edits, *position);
    doc.removeEntry(*position);
}
