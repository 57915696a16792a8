#pragma once

#include "ui/document/TalvaneDoc.h"

#include <QUndoCommand>

#include <memory>

// One change to the entries of a collection, as the history keeps it: enough to
// undo and redo it exactly, and no more than the fields it changed.
class EntryStep : public QUndoCommand {
protected:
    EntryStep(CTalvaneDoc& doc, const QString& text) : m_doc(doc) { setText(text); }

    void insertEntry(std::size_t position, std::shared_ptr<CBonsaiData> entry)
    {
        m_doc.insertEntry(position, std::move(entry));
    }
    std::shared_ptr<CBonsaiData> takeEntry(std::size_t position) { return m_doc.takeEntry(position); }
    void setField(std::size_t position, std::size_t field, const std::string& value)
    {
        m_doc.setField(position, field, value);
    }
    void announceChange(std::size_t position) { emit m_doc.entryChanged(position); }
    // After a removal the next entry is shown, else the previous one, else none.
    void showNeighbourOf(std::size_t removed);
    void show(std::size_t position) { m_doc.setCurrentPosition(position); }

    CTalvaneDoc& m_doc;
};

// An entry appended to the collection.
class AddEntryStep : public EntryStep {
public:
    AddEntryStep(CTalvaneDoc& doc, const QString& text, std::unique_ptr<CBonsaiData> entry);
    void redo() override;
    void undo() override;

private:
    std::size_t m_position;
    std::shared_ptr<CBonsaiData> m_entry; // held while the step is undone
};

// An entry removed from the collection.
class RemoveEntryStep : public EntryStep {
public:
    RemoveEntryStep(CTalvaneDoc& doc, const QString& text, std::size_t position);
    void redo() override;
    void undo() override;

private:
    std::size_t m_position;
    std::shared_ptr<CBonsaiData> m_entry; // held while the step is done
};

// New values for some fields of one entry.
class ChangeFieldsStep : public EntryStep {
public:
    struct Change {
        std::size_t field;
        std::string before;
        std::string after;
    };
    // A step made from elsewhere (a phone) does not show its entry when first done, so
    // the window stays on the entry it shows; Undo and Redo show it, as every step does.
    ChangeFieldsStep(CTalvaneDoc& doc, const QString& text, std::size_t position, std::vector<Change> changes,
                     bool showWhenFirstDone = true);
    void redo() override;
    void undo() override;

private:
    std::size_t m_position;
    std::vector<Change> m_changes;
    bool m_showOnRedo;
};
