#include "core/passport/PassportUpdate.h"

#include "core/collection/PosixFile.h"
#include "core/collection/Sha256.h"
#include "core/collection/TreeIdentity.h"
#include "core/journal/Journal.h"
#include "core/passport/PicturePlacing.h"
#include "core/text/Windows1252.h"
#include "core/text/Words.h"
#include "core/timeline/TimelinePhoto.h"

#include <algorithm>
#include <fcntl.h>
#include <map>
#include <set>
#include <sys/stat.h>

namespace talvane::passport {

namespace {

using journal::CareEvent;
using journal::Journal;
using journal::kJournalField;

// A picture's bytes as their hash, with the folder they are in: an album place can take
// only an album picture.
using ContentKey = std::pair<PictureFolder, std::string>;

std::optional<std::string> fileHash(const std::filesystem::path& file)
{
    collection::FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat facts {};
    if (fd.get() < 0 || ::fstat(fd.get(), &facts) != 0 || !S_ISREG(facts.st_mode))
        return std::nullopt;
    collection::Sha256 hash;
    if (collection::readPieces(fd.get(), [&hash](std::string_view piece) { hash.add(piece); }))
        return std::nullopt;
    return hash.hex();
}

// The files the tree names that are there, by their content.
std::map<ContentKey, std::string> localPictures(const CBonsaiData& tree, const PassportImport& request)
{
    std::map<ContentKey, std::string> local;
    for (const PictureName& picture : picturesNamedBy(tree)) {
        if (!timeline::isBareFileName(picture.name))
            continue;
        const auto& folder = picture.folder == PictureFolder::Album ? request.albumFolder : request.photosFolder;
        if (const auto hash = fileHash(folder / text::cp1252ToUtf8(picture.name)))
            local.emplace(ContentKey{picture.folder, *hash}, picture.name);
    }
    return local;
}

bool holdsEvent(const Journal& journal, const CareEvent& event)
{
    return std::any_of(journal.lines().begin(), journal.lines().end(), [&event](const journal::JournalLine& line) {
        return line.event && line.event->date == event.date && line.event->kind == event.kind &&
               line.event->text == event.text;
    });
}

// The events of the passport's journal that the tree's lacks, in their order.
std::vector<CareEvent> missingEvents(const Journal& own, const Journal& incoming)
{
    std::vector<CareEvent> missing;
    for (const auto& line : incoming.lines()) {
        if (line.event && !holdsEvent(own, *line.event))
            missing.push_back(*line.event);
    }
    return missing;
}

struct AlbumAddition {
    std::size_t slot;
    PictureName picture;
    std::string description;
};

// Works out what the passport adds to the tree, then copies the pictures that needs.
class TreeUpdater {
public:
    TreeUpdater(const PassportImport& request, PassportReader& reader, const CBonsaiData& own)
        : m_request(request), m_reader(reader), m_own(own)
    {
        for (const HeldPicture& picture : reader.pictures())
            m_held.insert(picture.name);
    }

    void run(const CBonsaiData& incoming, TreeUpdate& update)
    {
        Journal journal = Journal::read(m_own[kJournalField]);
        const Journal incomingJournal = Journal::read(incoming[kJournalField]);
        update.journalForeign = journal.isForeign() || incomingJournal.isForeign();
        std::vector<CareEvent> events;
        if (!update.journalForeign)
            events = missingEvents(journal, incomingJournal);
        considerPictures(incoming, events);
        if (!(update.problem = findKnownPictures()).empty())
            return;
        const std::vector<AlbumAddition> album = albumAdditions(incoming, update.albumPicturesLeftOut);
        needPictures(events, album);
        if (!(update.problem = placeNeeded(update.placed)).empty())
            return;
        addEvents(journal, events, update);
        for (const AlbumAddition& addition : album) {
            update.values.emplace_back(CBonsaiData::photoField(addition.slot), named(addition.picture).name);
            update.values.emplace_back(CBonsaiData::photoDescriptionField(addition.slot), addition.description);
        }
    }

private:
    // The pictures of the events to add and of the passport's album.
    void considerPictures(const CBonsaiData& incoming, const std::vector<CareEvent>& events)
    {
        for (const CareEvent& event : events)
            for (const std::string& picture : event.pictures())
                consider(pictureOfEvent(picture));
        for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot) {
            const std::string name(incoming[CBonsaiData::photoField(slot)]);
            if (!name.empty())
                consider({PictureFolder::Album, name});
        }
    }

    void needPictures(const std::vector<CareEvent>& events, const std::vector<AlbumAddition>& album)
    {
        for (const CareEvent& event : events)
            for (const std::string& picture : event.pictures())
                need(pictureOfEvent(picture));
        for (const AlbumAddition& addition : album)
            need(addition.picture);
    }

    // Adds the events to the journal, each naming its pictures as the tree's folders do now.
    void addEvents(Journal& journal, const std::vector<CareEvent>& events, TreeUpdate& update) const
    {
        for (CareEvent event : events) {
            std::vector<std::string> pictures = event.pictures();
            for (std::string& picture : pictures)
                picture = eventPicture(named(pictureOfEvent(picture)));
            event.setPictures(std::move(pictures));
            journal.add(event);
        }
        update.eventsAdded = events.size();
        if (!events.empty())
            update.values.emplace_back(kJournalField, journal.text());
    }

    // A picture the passport may add, whose bytes are compared with the tree's files: one
    // it holds (one left out at export stays named as it was).
    void consider(const PictureName& picture)
    {
        if (m_held.contains(picture))
            m_considered.insert(picture);
    }

    // A picture the tree gets that it has no file of: it is copied.
    void need(const PictureName& picture)
    {
        if (m_held.contains(picture) && !m_names.contains(picture))
            m_needed.insert(picture);
    }

    // Finds which of the pictures considered the tree has a file of already, by their
    // bytes; every other one is to be copied. Gives why the passport could not be read.
    std::string findKnownPictures()
    {
        if (m_considered.empty())
            return {};
        const auto local = localPictures(m_own, m_request);
        for (const HeldPicture& picture : m_reader.pictures()) {
            if (!m_considered.contains(picture.name))
                continue;
            collection::Sha256 hash;
            const bool read = m_reader.readPicture(picture, [&hash](std::string_view piece) {
                hash.add(piece);
                return std::string();
            });
            if (!read)
                return m_reader.problem();
            if (const auto found = local.find({picture.name.folder, hash.hex()}); found != local.end())
                m_names[picture.name] = found->second;
        }
        return {};
    }

    // Copies the pictures needed; gives why they could not all be copied.
    std::string placeNeeded(PlacedFiles& files)
    {
        PlacedPictures placed = placePictures(m_reader, m_request.albumFolder, m_request.photosFolder,
                                              [this](const PictureName& picture) { return m_needed.contains(picture); });
        if (!placed.problem.empty())
            return std::move(placed.problem);
        m_names.insert(placed.newNames.begin(), placed.newNames.end());
        files = std::move(placed.files);
        return {};
    }

    // True when the tree's album shows the picture: a file of the same bytes, or the same
    // name where the file is missing (a copy would only add a second place of that name).
    bool albumHas(const PictureName& picture) const
    {
        const auto known = m_names.find(picture);
        for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot) {
            const auto name = m_own[CBonsaiData::photoField(slot)];
            std::error_code error;
            if ((known != m_names.end() && name == known->second) ||
                (name == picture.name && !std::filesystem::exists(m_request.albumFolder / text::cp1252ToUtf8(picture.name), error)))
                return true;
        }
        return false;
    }

    // The album pictures the tree lacks, each in an empty place of its album while there
    // is one; the others are counted in `leftOut`.
    std::vector<AlbumAddition> albumAdditions(const CBonsaiData& incoming, std::size_t& leftOut)
    {
        std::vector<AlbumAddition> additions;
        std::size_t slot = 0;
        for (std::size_t from = 0; from < CBonsaiData::kPhotoSlots; ++from) {
            const PictureName picture{PictureFolder::Album, std::string(incoming[CBonsaiData::photoField(from)])};
            if (!m_considered.contains(picture) || albumHas(picture) ||
                std::any_of(additions.begin(), additions.end(),
                            [&picture](const AlbumAddition& added) { return added.picture == picture; }))
                continue;
            while (slot < CBonsaiData::kPhotoSlots && !m_own[CBonsaiData::photoField(slot)].empty())
                ++slot;
            if (slot == CBonsaiData::kPhotoSlots) {
                ++leftOut;
                continue;
            }
            additions.push_back({slot++, picture, std::string(incoming[CBonsaiData::photoDescriptionField(from)])});
        }
        return additions;
    }

    // The picture under the name it has in the collection: the tree's own file of the
    // same bytes, the copy just made, or the name it came with when the passport left it out.
    PictureName named(const PictureName& picture) const
    {
        const auto found = m_names.find(picture);
        return found == m_names.end() ? picture : PictureName{picture.folder, found->second};
    }

    const PassportImport& m_request;
    PassportReader& m_reader;
    const CBonsaiData& m_own;
    std::set<PictureName> m_held;
    std::set<PictureName> m_considered;
    std::set<PictureName> m_needed;
    std::map<PictureName, std::string> m_names;
};

} // namespace

HeldTree findHeldTree(const PassportImport& request, const collection::EntryList& collection)
{
    PassportReader reader(request.passport, request.limits);
    if (!reader.problem().empty())
        return {reader.problem(), std::nullopt};
    const auto tree = reader.takeEntry();
    return {{}, collection::findTree(collection, (*tree)[collection::kTreeIdField])};
}

TreeUpdate updateFromPassport(const PassportImport& request, const collection::EntryList& collection)
{
    TreeUpdate update;
    PassportReader reader(request.passport, request.limits);
    if (!reader.problem().empty()) {
        update.problem = reader.problem();
        return update;
    }
    const auto incoming = reader.takeEntry();
    const auto position = collection::findTree(collection, (*incoming)[collection::kTreeIdField]);
    if (!position) {
        update.problem = importRefusal(reader.shownName(), text::sayMessage(SHOWN_TEXT("the collection no longer holds its tree")));
        return update;
    }
    update.position = *position;
    TreeUpdater(request, reader, *collection[*position]).run(*incoming, update);
    return update;
}

} // namespace talvane::passport
