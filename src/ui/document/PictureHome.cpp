#include "ui/document/PictureHome.h"

#include "ui/framework/BaseDirectory.h"
#include "ui/framework/FilePaths.h"

using namespace talvane::collection;

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
    std::filesystem::path home = m_untitledHome;
    if (!collectionPath.isEmpty()) {
        home = talvane::timeline::collectionHome(fsPath(collectionPath));
    } else if (home.empty()) {
        if (!m_stagedMade) {
            std::error_code error;
            std::filesystem::create_directories(m_staging, error);
            m_stagedMade = !error;
        }
        home = m_staging;
    }
    // An untitled collection still finds an old installation's shared album, as a saved one does.
    return talvane::timeline::findPictureFolders(home, fsPath(baseDirectory()), entries);
}

talvane::timeline::BroughtPictures PictureHome::bringTo(const QString& fromPath, const QString& toPath,
                                                        const EntryList& entries) const
{
    const auto from = folders(fromPath, entries);
    const auto to = folders(toPath, entries);
    // A save beside the same file has nothing to bring, and need not read every journal to know it.
    if (from == to)
        return {};
    return talvane::timeline::bringPictures(talvane::timeline::namedPictures(entries), from, to);
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
    m_untitledHome = talvane::timeline::collectionHome(fsPath(collectionPath));
}

void PictureHome::discardStaged()
{
    m_untitledHome.clear();
    if (!std::exchange(m_stagedMade, false))
        return;
    std::error_code error;
    std::filesystem::remove_all(m_staging, error);
}
