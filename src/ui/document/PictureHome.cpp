#include "document/PictureHome.h"

#include "framework/BaseDirectory.h"
#include "framework/FilePaths.h"

PictureHome::PictureHome(std::filesystem::path stagingFolder) : m_staging(std::move(stagingFolder)) {}

PictureHome::~PictureHome()
{
    discardStaged();
}

void PictureHome::setStagingFolder(std::filesystem::path folder)
{
    discardStaged();
    m_staging = std::move(folder);
}

talvane::timeline::PictureFolders PictureHome::folders(const QString& collectionPath, const EntryList& entries) const
{
    if (collectionPath.isEmpty() && !m_untitledHome.empty())
        return talvane::timeline::findPictureFolders(m_untitledHome, FsPath(BaseDirectory()), entries);
    if (!collectionPath.isEmpty())
        return talvane::timeline::findPictureFolders(talvane::timeline::collectionHome(FsPath(collectionPath)),
                                                     FsPath(BaseDirectory()), entries);
    if (!m_stagedMade) {
        std::error_code error;
        std::filesystem::create_directories(m_staging, error);
        m_stagedMade = !error;
    }
    // An untitled collection still finds an old installation's shared album, as a saved one does.
    return talvane::timeline::findPictureFolders(m_staging, FsPath(BaseDirectory()), entries);
}

talvane::timeline::BroughtPictures PictureHome::bringTo(const QString& fromPath, const QString& toPath,
                                                        const EntryList& entries) const
{
    return talvane::timeline::bringPictures(talvane::timeline::namedPictures(entries), folders(fromPath, entries),
                                            folders(toPath, entries));
}

void PictureHome::takeStaged(const std::filesystem::path& folder)
{
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_directory(folder, error))
        return;
    discardStaged();
    std::filesystem::create_directories(m_staging.parent_path(), error);
    std::filesystem::rename(folder, m_staging, error);
    m_stagedMade = !error;
}

void PictureHome::keepBeside(const QString& collectionPath)
{
    m_untitledHome = talvane::timeline::collectionHome(FsPath(collectionPath));
}

void PictureHome::discardStaged()
{
    m_untitledHome.clear();
    if (!std::exchange(m_stagedMade, false))
        return;
    std::error_code error;
    std::filesystem::remove_all(m_staging, error);
}
