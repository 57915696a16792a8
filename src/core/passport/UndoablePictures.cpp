#include "core/passport/UndoablePictures.h"

#include "core/collection/PosixFile.h"
#include "core/passport/PassportLayout.h"
#include "core/text/Windows1252.h"
#include "core/timeline/PhotoCopy.h"
#include "core/timeline/TimelinePhoto.h"

#include <cstdio>
#include <fcntl.h>
#include <set>
#include <stdlib.h>
#include <unistd.h>

namespace talvane::passport {

namespace {

// A hidden name of its own in the file's folder, made as an empty file that the rename
// then replaces: nothing of anyone else is ever written over.
std::filesystem::path reserveHiddenName(const std::filesystem::path& file)
{
    std::string name = (file.parent_path() / ".undone-import-XXXXXX").string();
    collection::FileDescriptor reserved(::mkostemp(name.data(), O_CLOEXEC));
    return reserved.get() < 0 ? std::filesystem::path() : std::filesystem::path(name);
}

} // namespace

UndoablePictures::UndoablePictures(PlacedFiles placed, std::filesystem::path albumFolder,
                                   std::filesystem::path photosFolder)
    : m_albumFolder(std::move(albumFolder)), m_photosFolder(std::move(photosFolder))
{
    for (const auto& file : placed.files())
        m_pictures.push_back({file, {}});
    placed.commit();
}

UndoablePictures::~UndoablePictures()
{
    for (const Picture& picture : m_pictures) {
        if (!picture.setAsideAs.empty())
            ::unlink(picture.setAsideAs.c_str());
    }
}

void UndoablePictures::setAside(const collection::EntryList& collection)
{
    if (m_keptForGood)
        return;
    // Paths are made as the import made them, so that the same name gives the same path.
    std::set<std::filesystem::path> named;
    for (const auto& entry : collection) {
        for (const PictureName& picture : picturesNamedBy(*entry)) {
            if (timeline::isBareFileName(picture.name))
                named.insert((picture.folder == PictureFolder::Album ? m_albumFolder : m_photosFolder) /
                             text::cp1252ToUtf8(picture.name));
        }
    }
    std::set<std::filesystem::path> folders;
    for (Picture& picture : m_pictures) {
        if (!picture.setAsideAs.empty() || named.contains(picture.file))
            continue;
        std::filesystem::path hidden = reserveHiddenName(picture.file);
        if (hidden.empty())
            continue;
        if (std::rename(picture.file.c_str(), hidden.c_str()) != 0) {
            ::unlink(hidden.c_str());
            continue;
        }
        picture.setAsideAs = std::move(hidden);
        folders.insert(picture.file.parent_path());
    }
    for (const auto& folder : folders)
        collection::syncFolder(folder);
}

void UndoablePictures::putBack()
{
    std::set<std::filesystem::path> folders;
    for (Picture& picture : m_pictures) {
        if (picture.setAsideAs.empty() || timeline::nameWithoutReplacing(picture.setAsideAs, picture.file) != 0)
            continue;
        picture.setAsideAs.clear();
        folders.insert(picture.file.parent_path());
    }
    for (const auto& folder : folders)
        collection::syncFolder(folder);
}

} // namespace talvane::passport
