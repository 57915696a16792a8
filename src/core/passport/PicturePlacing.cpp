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

// Places the chosen pictures of one passport. Every picture is inflated before any is
// named, so that one flush makes them all durable and a failure leaves no named file behind.
class PicturePlacer {
public:
    PicturePlacer(PassportReader& reader, const std::filesystem::path& albumFolder, const std::filesystem::path& photosFolder)
        : m_reader(reader), m_folders(albumFolder, photosFolder) {}

    PlacedPictures place(const std::vector<HeldPicture>& pictures)
    {
        if (stageAll(pictures) && nameAll(pictures)) {
            m_folders.forEachPrepared([](const std::filesystem::path& folder) { collection::syncFolder(folder); });
            m_placed.files = PlacedFiles(std::move(m_named));
        }
        return std::move(m_placed);
    }

private:
    bool stageAll(const std::vector<HeldPicture>& pictures)
    {
        for (const HeldPicture& picture : pictures) {
            if (!stage(picture))
                return false;
        }
        m_folders.forEachPrepared([](const std::filesystem::path& folder) { timeline::makeStagedCopiesDurable(folder); });
        return true;
    }

    bool stage(const HeldPicture& picture)
    {
        const PictureFolder folder = picture.name.folder;
        if (std::string problem = m_folders.prepare(folder); !problem.empty()) {
            fail(importRefusal(m_reader.shownName(), problem), 0);
            return false;
        }
        const std::string folderName = m_folders.path(folder).string();
        m_staged.push_back(timeline::stageNewFile(m_folders.path(folder), [&](int fd) {
            const bool read = m_reader.readPicture(picture, [&](std::string_view piece) {
                return collection::writeAll(fd, piece) ? std::string() : folderName + ": " + collection::systemReason(errno);
            });
            return read ? std::string() : m_reader.problem();
        }));
        if (m_staged.back().problem.empty())
            return true;
        const std::string problem = m_reader.problem().empty()
                                        ? importRefusal(m_reader.shownName(), folderName + ": " + m_staged.back().problem)
                                        : m_reader.problem();
        m_staged.pop_back();
        fail(problem, 0);
        return false;
    }

    bool nameAll(const std::vector<HeldPicture>& pictures)
    {
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            const auto [stem, extension] = stemAndExtension(pictures[i].name.name);
            const auto& folder = m_folders.path(pictures[i].name.folder);
            const timeline::CopiedPhoto copy = timeline::nameStagedFile(m_staged[i], folder, stem, extension);
            if (!copy.problem.empty()) {
                fail(importRefusal(m_reader.shownName(), folder.string() + ": " + copy.problem), i + 1);
                return false;
            }
            m_named.push_back(copy.path);
            m_placed.newNames[pictures[i].name] = copy.name;
        }
        return true;
    }

    void fail(std::string problem, std::size_t firstStillStaged)
    {
        for (std::size_t i = firstStillStaged; i < m_staged.size(); ++i)
            m_staged[i].discard();
        timeline::removePlacedFiles(m_named);
        m_folders.removeMade();
        m_placed.newNames.clear();
        m_placed.problem = std::move(problem);
    }

    PassportReader& m_reader;
    PictureFolders m_folders;
    std::vector<StagedPhoto> m_staged;
    std::vector<std::filesystem::path> m_named;
    PlacedPictures m_placed;
};

} // namespace

PlacedPictures placePictures(PassportReader& reader, const std::filesystem::path& albumFolder,
                             const std::filesystem::path& photosFolder,
                             const std::function<bool(const PictureName&)>& wanted)
{
    std::vector<HeldPicture> pictures;
    for (const HeldPicture& picture : reader.pictures()) {
        if (!wanted || wanted(picture.name))
            pictures.push_back(picture);
    }
    return PicturePlacer(reader, albumFolder, photosFolder).place(pictures);
}

} // namespace talvane::passport
