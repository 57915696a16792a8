#pragma once

#include "core/passport/UndoablePictures.h"

#include <QMetaObject>
#include <QUndoCommand>

class CTalvaneDoc;

// The pictures an import copied, as part of the import's step: pushed first in the
// step's macro, it is undone after the entry's change and redone before it. Undo sets
// aside the pictures no entry names then; Redo puts them back. A save while the import
// is done keeps them for good: the file, or a version of it, names them.
class ImportedPicturesStep : public QUndoCommand {
public:
    ImportedPicturesStep(CTalvaneDoc& doc, talvane::passport::PlacedFiles placed,
                         const std::filesystem::path& albumFolder, const std::filesystem::path& photosFolder);
    ~ImportedPicturesStep() override;
    void undo() override;
    void redo() override;

private:
    CTalvaneDoc& m_doc;
    talvane::passport::UndoablePictures m_pictures;
    bool m_done = false;
    QMetaObject::Connection m_saved;
};
