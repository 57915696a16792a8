#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/passport/PlacedFiles.h"

#include <filesystem>
#include <vector>

namespace talvane::passport {

// The pictures an import copied, for as long as the import is a step that Undo and Redo
// walk. Undo sets aside the ones no entry names any more: each leaves its name for a
// hidden one in its own folder, so that Redo puts it back with a rename and nothing is
// copied twice. What is still set aside when the step is forgotten is removed. Once a
// saved collection names the pictures, the file or one of its kept versions may still
// need them: they stay for good.
class UndoablePictures {
public:
    // Takes the placed files over: they stay until set aside.
    UndoablePictures(PlacedFiles placed, std::filesystem::path albumFolder, std::filesystem::path photosFolder);
    ~UndoablePictures();
    UndoablePictures(const UndoablePictures&) = delete;
    UndoablePictures& operator=(const UndoablePictures&) = delete;

    // After Undo: sets aside each picture no entry of `collection` names.
    void setAside(const collection::EntryList& collection);
    // After Redo: every picture set aside takes its name again, unless a file has
    // taken it meanwhile; that one stays set aside.
    void putBack();
    // A saved collection names the pictures: they are never set aside again.
    void keepForGood() { m_keptForGood = true; }

private:
    struct Picture {
        std::filesystem::path file;
        std::filesystem::path setAsideAs; // empty while it has its name
    };

    std::filesystem::path m_albumFolder;
    std::filesystem::path m_photosFolder;
    std::vector<Picture> m_pictures;
    bool m_keptForGood = false;
};

} // namespace talvane::passport
