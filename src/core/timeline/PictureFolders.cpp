#include "core/timeline/PictureFolders.h"

#include "core/collection/BonsaiData.h"
#include "core/journal/Journal.h"
#include "core/picture/AlbumFile.h"
#include "core/text/Windows1252.h"
#include "core/timeline/PhotoCopy.h"
#include "core/timeline/TimelinePhoto.h"

#include <fstream>
#include <iterator>
#include <unistd.h>

namespace talvane::timeline {

namespace {

bool isUsableFolder(const std::filesystem::path& path)
{
    std::error_code error;
    // A folder's files can only be opened when it can be both listed and entered.
    return std::filesystem::is_directory(path, error) && ::access(path.c_str(), R_OK | X_OK) == 0;
}

std::filesystem::path pictureIn(const std::filesystem::path& folder, const std::string& name)
{
    return folder / text::cp1252ToUtf8(name);
}

// Calls visit(name, inPhotosFolder) for each picture the entry names; gives how many
// album slots name a file outside the album, which are passed over.
template <typename Visit>
std::size_t forEachNamedPicture(const CBonsaiData& entry, Visit&& visit)
{
    std::size_t outsideAlbum = 0;
    for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot) {
        const std::string_view name = entry[CBonsaiData::Photo1 + slot];
        if (isBareFileName(name))
            visit(std::string(name), false);
        else if (!name.empty())
            ++outsideAlbum;
    }
    const std::string_view journalText = entry[journal::kJournalField];
    if (!journalText.empty())
        for (const TimelinePhoto& photo : timelinePhotos(journal::Journal::read(journalText)))
            visit(photo.fileName, photo.inPhotosFolder);
    return outsideAlbum;
}

std::string fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool sameBytes(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code error;
    return std::filesystem::file_size(a, error) == std::filesystem::file_size(b, error) && !error &&
           fileBytes(a) == fileBytes(b);
}

// Copies one picture into the folder `to` under its name, or that name with " (2)" ...
// when a file has it; false, with the problem said, when it cannot be.
bool copyPicture(const std::filesystem::path& source, const std::filesystem::path& to, const std::string& name,
                 std::map<std::string, std::string>& renames, BroughtPictures& brought)
{
    const StagedPhoto staged = stagePhotoCopy(source, to);
    if (!staged.problem.empty()) {
        brought.problem = staged.problem;
        return false;
    }
    const auto dot = name.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > 0;
    const CopiedPhoto copied = nameStagedFile(staged, to, hasExtension ? name.substr(0, dot) : name,
                                              hasExtension ? name.substr(dot) : std::string());
    if (!copied.problem.empty()) {
        brought.problem = copied.problem;
        return false;
    }
    brought.created.push_back(copied.path);
    if (copied.name != name)
        renames[name] = copied.name;
    return true;
}

// Copies the named pictures of one folder; false, with the problem said, when one fails.
bool bringFolder(const std::set<std::string>& names, const std::filesystem::path& from,
                 const std::filesystem::path& to, std::map<std::string, std::string>& renames,
                 BroughtPictures& brought)
{
    bool prepared = false;
    for (const std::string& name : names) {
        const std::filesystem::path source = pictureIn(from, name);
        std::error_code error;
        if (!std::filesystem::is_regular_file(source, error))
            continue;
        const std::filesystem::path target = pictureIn(to, name);
        if (std::filesystem::exists(target, error) && sameBytes(source, target))
            continue;
        if (!prepared) {
            bool made = false;
            brought.problem = preparePhotoFolder(to, &made);
            if (!brought.problem.empty())
                return false;
            prepared = true;
        }
        if (!copyPicture(source, to, name, renames, brought))
            return false;
    }
    if (prepared)
        makeStagedCopiesDurable(to);
    return true;
}

std::string renamed(const std::map<std::string, std::string>& renames, const std::string& name)
{
    const auto found = renames.find(name);
    return found == renames.end() ? name : found->second;
}

} // namespace

NamedPictures namedPictures(const collection::EntryList& entries)
{
    NamedPictures names;
    for (const auto& entry : entries)
        forEachNamedPicture(*entry, [&](std::string name, bool inPhotosFolder) {
            (inPhotosFolder ? names.photos : names.album).insert(std::move(name));
        });
    return names;
}

std::size_t missingPictureCount(const CBonsaiData& entry, const PictureFolders& folders)
{
    std::set<std::filesystem::path> missing;
    const std::size_t outsideAlbum = forEachNamedPicture(entry, [&](const std::string& name, bool inPhotosFolder) {
        const auto file = pictureIn(inPhotosFolder ? folders.photos : folders.album, name);
        std::error_code error;
        if (!std::filesystem::is_regular_file(file, error))
            missing.insert(file);
    });
    return missing.size() + outsideAlbum;
}

std::filesystem::path collectionHome(const std::filesystem::path& collectionFile)
{
    return std::filesystem::absolute(collectionFile).parent_path();
}

PictureFolders findPictureFolders(const std::filesystem::path& home, const std::filesystem::path& startFolder,
                                  const collection::EntryList& entries)
{
    PictureFolders folders{home / picture::kAlbumFolderName, home / kPhotosFolderName};
    const std::filesystem::path shared = startFolder / picture::kAlbumFolderName;
    if (isUsableFolder(folders.album) || startFolder.empty() || !isUsableFolder(shared))
        return folders;
    std::error_code error;
    if (std::filesystem::equivalent(shared, folders.album, error))
        return folders;
    // The album slots are cheap to look at; journals are read only when no slot tells.
    const auto found = [&](const std::string& name, bool inPhotosFolder) {
        return !inPhotosFolder && std::filesystem::exists(pictureIn(shared, name), error);
    };
    bool holdsOne = false;
    for (std::size_t at = 0; at < entries.size() && !holdsOne; ++at)
        for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots && !holdsOne; ++slot) {
            const std::string_view name = (*entries[at])[CBonsaiData::Photo1 + slot];
            holdsOne = isBareFileName(name) && found(std::string(name), false);
        }
    for (std::size_t at = 0; at < entries.size() && !holdsOne; ++at)
        forEachNamedPicture(*entries[at], [&](const std::string& name, bool inPhotosFolder) {
            holdsOne = holdsOne || found(name, inPhotosFolder);
        });
    if (holdsOne)
        folders.album = shared;
    return folders;
}

BroughtPictures bringPictures(const NamedPictures& names, const PictureFolders& from, const PictureFolders& to)
{
    BroughtPictures brought;
    std::error_code error;
    const bool albumMoves = from.album != to.album && !std::filesystem::equivalent(from.album, to.album, error);
    const bool photosMove = from.photos != to.photos && !std::filesystem::equivalent(from.photos, to.photos, error);
    if ((albumMoves && !bringFolder(names.album, from.album, to.album, brought.albumRenames, brought)) ||
        (photosMove && !bringFolder(names.photos, from.photos, to.photos, brought.photoRenames, brought))) {
        removePlacedFiles(brought.created);
        brought.created.clear();
        brought.albumRenames.clear();
        brought.photoRenames.clear();
    }
    return brought;
}

std::vector<std::pair<std::size_t, std::string>> renamedPictureFields(const CBonsaiData& entry,
                                                                      const BroughtPictures& brought)
{
    std::vector<std::pair<std::size_t, std::string>> fields;
    if (brought.albumRenames.empty() && brought.photoRenames.empty())
        return fields;
    for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot) {
        const std::string name(entry[CBonsaiData::Photo1 + slot]);
        if (const std::string now = renamed(brought.albumRenames, name); now != name)
            fields.emplace_back(CBonsaiData::Photo1 + slot, now);
    }
    journal::Journal journal = journal::Journal::read(entry[journal::kJournalField]);
    bool journalChanged = false;
    for (const TimelinePhoto& photo : timelinePhotos(journal)) {
        const std::string now =
            renamed(photo.inPhotosFolder ? brought.photoRenames : brought.albumRenames, photo.fileName);
        if (now == photo.fileName)
            continue;
        // The event as renamed so far: several of its photos may have new names.
        journal::CareEvent event = *journal.lines()[photo.line].event;
        std::vector<std::string> pictures = event.pictures();
        pictures.at(photo.pictureIndex) = photo.inPhotosFolder ? std::string(kPhotosPrefix) + now : now;
        event.setPictures(std::move(pictures));
        journalChanged |= journal.replace(photo.line, event);
    }
    if (journalChanged)
        fields.emplace_back(journal::kJournalField, journal.text());
    return fields;
}

} // namespace talvane::timeline
