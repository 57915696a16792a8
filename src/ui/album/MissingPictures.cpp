#include "album/MissingPictures.h"

#include "album/PhotoAlbumPage.h"
#include "collection/BonsaiData.h"
#include "journal/Journal.h"
#include "text/Windows1252.h"
#include "timeline/TimelinePhoto.h"

#include <QDir>

#include <filesystem>
#include <set>

MissingPictures& MissingPictures::session()
{
    static MissingPictures told;
    return told;
}

bool MissingPictures::noteMissing(const QString& path)
{
    const QString key = QDir::cleanPath(path);
    if (m_told.contains(key))
        return false;
    m_told.insert(key);
    return true;
}

void MissingPictures::noteFound(const QString& path)
{
    m_told.remove(QDir::cleanPath(path));
}

std::size_t MissingPictureCount(const CBonsaiData& entry, const std::filesystem::path& albumFolder,
                                const std::filesystem::path& photosFolder)
{
    namespace fs = std::filesystem;
    std::set<fs::path> missing;
    const auto look = [&missing](const fs::path& file) {
        std::error_code error;
        if (!fs::is_regular_file(file, error))
            missing.insert(file);
    };
    // A name that would leave the album is never read: it counts as missing.
    std::size_t outsideAlbum = 0;
    for (int slot = 0; slot < CPage1::kSlots; ++slot) {
        const std::string& name = entry[CBonsaiData::photoField(static_cast<std::size_t>(slot))];
        if (talvane::timeline::isBareFileName(name))
            look(albumFolder / text::Cp1252ToUtf8(name));
        else if (!name.empty())
            ++outsideAlbum;
    }
    const auto journal = talvane::journal::Journal::read(entry[talvane::journal::kJournalField]);
    for (const talvane::timeline::TimelinePhoto& photo : talvane::timeline::timelinePhotos(journal))
        look(photo.path(photosFolder, albumFolder));
    return missing.size() + outsideAlbum;
}
