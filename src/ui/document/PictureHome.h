#pragma once

#include "core/collection/CollectionArchive.h"
#include "core/timeline/PictureFolders.h"

#include <QString>

#include <filesystem>

// Where the open collection's pictures are kept: beside its file, or, while it has none,
// in a staging folder of its own, which its first save empties beside the file. The
// staged pictures of a collection that is never saved go with it.
class PictureHome {
public:
    explicit PictureHome(std::filesystem::path stagingFolder);
    ~PictureHome();
    PictureHome(const PictureHome&) = delete;
    PictureHome& operator=(const PictureHome&) = delete;

    // Untitled collections stage their pictures here from now on.
    void setStagingFolder(std::filesystem::path folder);

    // The folders of the collection at collectionPath (empty for an untitled one).
    talvane::timeline::PictureFolders folders(const QString& collectionPath, const talvane::collection::EntryList& entries) const;
    // The staging folder, once an untitled collection has asked for it; empty before.
    const std::filesystem::path& stagedFolder() const { return m_stagedMade ? m_staging : kNone; }

    // The pictures the entries name, copied from the collection's folders at fromPath (empty
    // for an untitled collection) into those of a file about to be written at toPath.
    talvane::timeline::BroughtPictures bringTo(const QString& fromPath, const QString& toPath,
                                               const talvane::collection::EntryList& entries) const;

    // The untitled collection is an earlier version of the file at collectionPath: its
    // pictures are that file's, beside it, until it is saved or discarded.
    void keepBeside(const QString& collectionPath);
    // The untitled collection's pictures are those of `folder`, kept from a program that stopped.
    void takeStaged(const std::filesystem::path& folder);
    // The untitled collection's pictures are no longer its own: staged ones are thrown away
    // (it was discarded, or saved and they were copied beside it).
    void discardStaged();

private:
    static inline const std::filesystem::path kNone;
    std::filesystem::path m_staging;
    std::filesystem::path m_untitledHome; // an earlier version's: its file's folder
    mutable bool m_stagedMade = false;
};
