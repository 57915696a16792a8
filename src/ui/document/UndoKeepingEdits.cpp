#include "ui/document/UndoKeepingEdits.h"

#include <QCoreApplication>

#include <algorithm>

using namespace talvane::collection;

namespace {

std::optional<std::size_t> positionOf(const CTalvaneDoc& doc, const CBonsaiData* entry)
{
    const EntryList& entries = doc.entries();
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [entry](const std::unique_ptr<CBonsaiData>& e) { return e.get() == entry; });
    if (found == entries.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - entries.begin());
}

// False when the entry already holds every value.
bool keepEdits(CTalvaneDoc& doc, const KeptPageEdits& edits, std::size_t position)
{
    return doc.changeFields(position, edits.values,
                            CTalvaneDoc::stepText(QCoreApplication::translate("UndoKeepingEdits", "Update"), doc.entryAt(position)[CBonsaiData::Name]));
}

// Keeps the edits after a step, and shows again the entry the step showed.
void keepEditsAfterStep(CTalvaneDoc& doc, const KeptPageEdits& edits, std::size_t position)
{
    const CBonsaiData* shown = doc.currentEntry();
    keepEdits(doc, edits, position);
    doc.setCurrentPosition(shown ? positionOf(doc, shown) : std::nullopt);
}

} // namespace

void undoKeepingEdits(CTalvaneDoc& doc, const KeptPageEdits& edits)
{
    QUndoStack& history = doc.history();
    history.undo();
    if (const auto position = positionOf(doc, edits.entry)) {
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
    history.redo();
    if (const auto position = positionOf(doc, edits.entry)) {
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
