#include "core/passport/PicturePlacing.h"

#include "core/collection/PosixFile.h"
#include "core/passport/PassportReader.h"
#include "core/timeline/PhotoCopy.h"

#include <array>
#include <cerrno>
#include <unistd.h>

namespace talvane::passport {

namespace {

using timeline::StagedPhoto;

// A name as its stem and its extension with the dot, so that " (2)" goes between them.
std::pair<std::string_view, std::string_view> stemAndExtension(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return {name, {}};
    return {name.substr(0, dot), name.substr(dot)};
}

// The two folders, made when missing and taken back when a step fails.
class PictureFolders {
public:
    PictureFolders(const std::filesystem::path& album, const std::filesystem::path& photos)
        : m_paths{album, photos} {}

    const std::filesystem::path& path(PictureFolder folder) const { return m_paths[slot(folder)]; }

    // Why the folder cannot hold pictures; empty when it can.
    std::string prepare(PictureFolder folder)
    {
        if (m_prepared[slot(folder)])
            return {};
        bool made = false;
        const std::string problem = timeline::preparePhotoFolder(path(folder), &made);
        m_prepared[slot(folder)] = problem.empty();
        m_made[slot(folder)] = made;
        return problem.empty() ? problem : path(folder).string() + ": " + problem;
    }

    template <typename Visit>
    void forEachPrepared(Visit&& visit) const
    {
        for (std::size_t i = 0; i < m_paths.size(); ++i) {
            if (m_prepared[i])
                visit(m_paths[i]);
        }
    }

    // Removes the folders made here; they are empty again by then.
    void removeMade() const
    {
        for (std::size_t i = 0; i < m_paths.size(); ++i) {
            if (m_made[i])
                ::rmdir(m_paths[i].c_str());
        }
    }

private:
    static std::size_t slot(PictureFolder folder) { return folder == PictureFolder::Album ? 0 : 1; }

    std::array<std::filesystem::path, 2> m_paths;
    std::array<bool, 2> m_prepared{};
    std::array<bool, 2> m_made{};
};

} // namespace

PlacedPictures placePictures(PassportReader& reader, const std::filesystem::path& albumFolder,
                             const std::filesystem::path& photosFolder,
                             const std::function<bool(const PictureName&)>& wanted)
{
    PictureFolders folders(albumFolder, photosFolder);
    std::vector<StagedPhoto> staged;
    std::vector<std::filesystem::path> named;
    PlacedPictures placed;
    const auto fail = [&](std::string problem, std::size_t firstStillStaged) {
        for (std::size_t i = firstStillStaged; i < staged.size(); ++i)
            staged[i].discard();
        timeline::removePlacedFiles(named);
        folders.removeMade();
        placed.newNames.clear();
        placed.problem = std::move(problem);
    };

    // Every picture is inflated before any is named, so that one flush makes them all
    // durable and a failure leaves no named file behind.
    std::vector<HeldPicture> pictures;
    for (const HeldPicture& picture : reader.pictures()) {
        if (!wanted || wanted(picture.name))
            pictures.push_back(picture);
    }
    for (const HeldPicture& picture : pictures) {
        const PictureFolder folder = picture.name.folder;
        if (std::string problem = folders.prepare(folder); !problem.empty()) {
            fail(importRefusal(reader.shownName(), problem), 0);
            return placed;
        }
        const std::string folderName = folders.path(folder).string();
        staged.push_back(timeline::stageNewFile(folders.path(folder), [&](int fd) {
            const bool read = reader.readPicture(picture, [&](std::string_view piece) {
                return WriteAll(fd, piece) ? std::string() : folderName + ": " + SystemReason(errno);
            });
            return read ? std::string() : reader.problem();
        }));
        if (!staged.back().problem.empty()) {
            const std::string problem = reader.problem().empty()
                                            ? importRefusal(reader.shownName(), folderName + ": " + staged.back().problem)
                                            : reader.problem();
            staged.pop_back();
            fail(problem, 0);
            return placed;
        }
    }
    folders.forEachPrepared([](const std::filesystem::path& folder) { timeline::makeStagedCopiesDurable(folder); });
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const auto [stem, extension] = stemAndExtension(pictures[i].name.name);
        const auto& folder = folders.path(pictures[i].name.folder);
        const timeline::CopiedPhoto copy = timeline::nameStagedFile(staged[i], folder, stem, extension);
        if (!copy.problem.empty()) {
            fail(importRefusal(reader.shownName(), folder.string() + ": " + copy.problem), i + 1);
            return placed;
        }
        named.push_back(copy.path);
        placed.newNames[pictures[i].name] = copy.name;
    }
    folders.forEachPrepared([](const std::filesystem::path& folder) { SyncFolder(folder); });
    placed.files = PlacedFiles(std::move(named));
    return placed;
}

} // namespace talvane::passport
