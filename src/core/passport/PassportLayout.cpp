#include "core/passport/PassportLayout.h"

#include "core/journal/Journal.h"
#include "core/text/Windows1252.h"
#include "core/timeline/TimelinePhoto.h"

#include <algorithm>
#include <array>

namespace talvane::passport {

namespace {

using journal::Journal;
using timeline::kPhotosPrefix;

constexpr std::string_view kAlbumPrefix = "Album/";

std::string lowered(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return out;
}

} // namespace

PictureName pictureOfEvent(std::string_view picture)
{
    if (picture.starts_with(kPhotosPrefix))
        return {PictureFolder::Photos, std::string(picture.substr(kPhotosPrefix.size()))};
    return {PictureFolder::Album, std::string(picture)};
}

std::string eventPicture(const PictureName& picture)
{
    return picture.folder == PictureFolder::Photos ? std::string(kPhotosPrefix) + picture.name : picture.name;
}

std::string_view archiveFolder(PictureFolder folder)
{
    return folder == PictureFolder::Photos ? kPhotosPrefix : kAlbumPrefix;
}

std::string archiveName(const PictureName& picture)
{
    return std::string(archiveFolder(picture.folder)) + text::cp1252ToUtf8(picture.name);
}

std::vector<PictureName> picturesNamedBy(const CBonsaiData& entry)
{
    std::vector<PictureName> pictures;
    const auto add = [&pictures](PictureName picture) {
        if (std::find(pictures.begin(), pictures.end(), picture) == pictures.end())
            pictures.push_back(std::move(picture));
    };
    for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot) {
        const std::string_view name = entry[CBonsaiData::photoField(slot)];
        if (!name.empty())
            add({PictureFolder::Album, std::string(name)});
    }
    const Journal journal = Journal::read(entry[journal::kJournalField]);
    for (const auto& line : journal.lines()) {
        if (line.event)
            for (const std::string& picture : line.event->pictures())
                add(pictureOfEvent(picture));
    }
    return pictures;
}

void renamePictures(CBonsaiData& entry, const std::map<PictureName, std::string>& newNames)
{
    for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot) {
        auto field = entry[CBonsaiData::photoField(slot)];
        const auto renamed = newNames.find({PictureFolder::Album, std::string(field.view())});
        if (renamed != newNames.end())
            field = renamed->second;
    }
    Journal journal = Journal::read(entry[journal::kJournalField]);
    bool changed = false;
    for (std::size_t line = 0; line < journal.lines().size(); ++line) {
        const auto& event = journal.lines()[line].event;
        if (!event)
            continue;
        std::vector<std::string> pictures = event->pictures();
        bool renamedOne = false;
        for (std::string& named : pictures) {
            PictureName picture = pictureOfEvent(named);
            const auto renamed = newNames.find(picture);
            if (renamed == newNames.end())
                continue;
            picture.name = renamed->second;
            named = eventPicture(picture);
            renamedOne = true;
        }
        if (!renamedOne)
            continue;
        journal::CareEvent edited = *event;
        edited.setPictures(std::move(pictures));
        changed = journal.replace(line, edited) || changed;
    }
    if (changed)
        entry[journal::kJournalField] = journal.text();
}

bool isStoredAsIs(std::string_view name)
{
    static constexpr std::array<std::string_view, 9> kCompressed = {".jpg", ".jpeg", ".jfif", ".heic", ".heif",
                                                                    ".avif", ".png", ".webp", ".gif"};
    const std::string lower = lowered(name);
    return std::any_of(kCompressed.begin(), kCompressed.end(),
                       [&lower](std::string_view extension) { return lower.ends_with(extension); });
}

} // namespace talvane::passport
