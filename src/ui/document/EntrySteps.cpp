#include "ui/document/EntrySteps.h"

void EntryStep::showNeighbourOf(std::size_t removed)
{
    const std::size_t count = m_doc.entryCount();
    if (count == 0)
        m_doc.setCurrentPosition(std::nullopt);
    else
        m_doc.setCurrentPosition(removed < count ? removed : count - 1);
}

AddEntryStep::AddEntryStep(CTalvaneDoc& doc, const QString& text, std::unique_ptr<CBonsaiData> entry)
    : EntryStep(doc, text), m_position(doc.entryCount()), m_entry(std::move(entry))
{
}

void AddEntryStep::redo()
{
    insertEntry(m_position, std::move(m_entry));
    show(m_position);
}

void AddEntryStep::undo()
{
    m_entry = takeEntry(m_position);
    showNeighbourOf(m_position);
}

RemoveEntryStep::RemoveEntryStep(CTalvaneDoc& doc, const QString& text, std::size_t position)
    : EntryStep(doc, text), m_position(position)
{
}

void RemoveEntryStep::redo()
{
    m_entry = takeEntry(m_position);
    showNeighbourOf(m_position);
}

void RemoveEntryStep::undo()
{
    insertEntry(m_position, std::move(m_entry));
    show(m_position);
}

ChangeFieldsStep::ChangeFieldsStep(CTalvaneDoc& doc, const QString& text, std::size_t position,
                                   std::vector<Change> changes, bool showWhenFirstDone)
    : EntryStep(doc, text), m_position(position), m_changes(std::move(changes)), m_showOnRedo(showWhenFirstDone)
{
}

void ChangeFieldsStep::redo()
{
    for (const Change& change : m_changes)
        setField(m_position, change.field, change.after);
    announceChange(m_position);
    if (m_showOnRedo)
        show(m_position);
    m_showOnRedo = true;
}

void ChangeFieldsStep::undo()
{
    for (const Change& change : m_changes)
        setField(m_position, change.field, change.before);
    announceChange(m_position);
    show(m_position);
}
