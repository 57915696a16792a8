#pragma once

#include "ui/document/EntryViewLink.h"

// Edit Undo and Redo when the user chose to keep the edits made on the pages. The
// step the menu names is undone (or redone) exactly as it is, then the edits become a
// step of their own, "Update “…”", on the entry they were made on: positions may
// have shifted, so that entry is followed through the step. The entry the step showed
// stays on show. Keeping the edits is a change made after the step: what was left to
// redo is dropped, as after any change.
//
// A step may take the edited entry itself away (undoing its Add, redoing its
// Delete). The edits are then kept on the entry just before it goes, so that
// whatever brings the entry back brings its edits too: Undo Add leaves "Add" and
// "Update" to redo; Redo Delete leaves "Update" and "Delete" to undo.
void undoKeepingEdits(CTalvaneDoc& doc, const KeptPageEdits& edits);
void redoKeepingEdits(CTalvaneDoc& doc, const KeptPageEdits& edits);
