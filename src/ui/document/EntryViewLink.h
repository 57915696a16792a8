#pragma once

#include "ui/document/TalvaneDoc.h"

#include <functional>
#include <optional>
#include <string>

// Edits on the pages that the user chose to keep: the entry they were made on and the
// values of the fields in which the pages differ from it.
struct KeptPageEdits {
    const CBonsaiData* entry;
    FieldValues values;
};

// What the collection document asks of the view that shows its entries. What it only
// tells the view, it tells everyone through its signals.
class EntryViewLink {
public:
    virtual ~EntryViewLink() = default;
    // Copies the values on the pages into the shown entry, without a question.
    virtual void CommitCurrentEntry() = 0;
    // Asks whether edits made on the pages should be kept, and keeps them on Yes.
    virtual void OfferToKeepChanges() = 0;
    // Asks the same, but only gives what Yes keeps: Undo and Redo store it after their step.
    virtual std::optional<KeptPageEdits> askPageEditsToKeep() = 0;
    // True when the pages hold edits that are not yet in the entry shown.
    virtual bool hasPageEdits() const = 0;
    // Reads the values on the pages into `entry`, which is not the shown one.
    virtual void ReadPagesIntoEntry(CBonsaiData& entry) const = 0;
    // A step changed the shown entry underneath the pages: the album tab shows the
    // entry's photos, the Journal tab merged(the journal it holds), and every other page
    // keeps what it shows, edits included.
    virtual void showChangeBesidePageEdits(const std::function<std::string(const std::string&)>& merged) = 0;
};
