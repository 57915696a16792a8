#include "ui/companion/DocumentHost.h"

#include "ui/document/TalvaneDoc.h"
#include "core/journal/Journal.h"
#include "ui/journal/GardenWatch.h"
#include "ui/timeline/PhotoReading.h"
#include "ui/framework/CoreTexts.h"
#include "ui/framework/FilePaths.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QThread>

using namespace talvane::companion;

void DocumentHost::Waiting::finish(ChangeOutcome given)
{
    {
        std::lock_guard lock(mutex);
        if (outcome)
            return;
        outcome = std::move(given);
    }
    done.notify_all();
}

DocumentHost::DocumentHost(CTalvaneDoc& doc, const GardenWatch* watch, QObject* parent)
    : QObject(parent), m_doc(doc), m_watch(watch)
{
    // Many changes in a row (a Delete of several, an Undo) give one new snapshot.
    m_retake.setSingleShot(true);
    m_retake.setInterval(0);
    connect(&m_retake, &QTimer::timeout, this, &DocumentHost::takeSnapshot);
    const auto retake = [this] { m_retake.start(); };
    connect(&doc, &CTalvaneDoc::entryInserted, this, retake);
    connect(&doc, &CTalvaneDoc::entryRemoved, this, retake);
    connect(&doc, &CTalvaneDoc::entryChanged, this, retake);
    connect(&doc, &CTalvaneDoc::entriesReset, this, retake);
    connect(&doc, &CTalvaneDoc::entriesAppended, this, retake);
    // Save As moves the collection, and the folders of its photos with it.
    connect(&doc, &CDocument::titleChanged, this, retake);
    if (m_watch)
        connect(m_watch, &GardenWatch::changed, this, retake);
    takeSnapshot();
}

DocumentHost::~DocumentHost()
{
    close();
}

void DocumentHost::takeSnapshot()
{
    const QString path = m_doc.pathName();
    const auto folders = m_doc.pictureFolders();
    std::optional<GardenOutlook> garden;
    if (m_watch && m_watch->hasForecast())
        garden = GardenOutlook{m_watch->alerts(), m_watch->staleFor()};
    auto taken = std::make_shared<const CollectionSnapshot>(
        m_doc.entries(), QFileInfo(path).fileName().isEmpty() ? m_doc.title().toStdString() : QFileInfo(path).fileName().toStdString(),
        folders.album, folders.photos, std::move(garden));
    std::lock_guard lock(m_mutex);
    if (!m_closed)
        m_snapshot = std::move(taken);
}

std::shared_ptr<const CollectionSnapshot> DocumentHost::snapshot()
{
    std::lock_guard lock(m_mutex);
    return m_snapshot;
}

void DocumentHost::close()
{
    std::vector<std::weak_ptr<Waiting>> waiting;
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
        m_snapshot.reset();
        waiting.swap(m_waiting);
    }
    for (const auto& held : waiting)
        if (const auto request = held.lock())
            request->finish(collectionClosed());
}

ChangeOutcome DocumentHost::apply(const PhoneChange& change)
{
    if (QThread::currentThread() == thread())
        return applyHere(change);
    // Photos are copied here, on the request's thread: copying and flushing megabytes
    // would hold up the window. Only the journal's change waits for the window.
    PhoneChange prepared = change;
    auto* care = std::get_if<LoggedCare>(&prepared);
    if (care && !care->photos.empty()) {
        const auto collection = snapshot();
        if (!collection)
            return collectionClosed();
        if (auto refused = copyCarePhotos(collection->entries(), *care, collection->photosFolder()))
            return *refused;
    }
    auto waiting = std::make_shared<Waiting>();
    bool open = false;
    {
        std::lock_guard lock(m_mutex);
        open = !m_closed;
        if (open) {
            std::erase_if(m_waiting, [](const std::weak_ptr<Waiting>& held) { return held.expired(); });
            m_waiting.push_back(waiting);
        }
    }
    if (!open) {
        waiting->finish(collectionClosed());
    } else {
        QMetaObject::invokeMethod(this, [this, waiting, prepared] { waiting->finish(applyHere(prepared)); },
                                  Qt::QueuedConnection);
    }
    std::unique_lock lock(waiting->mutex);
    waiting->done.wait(lock, [&] { return waiting->outcome.has_value(); });
    if (!waiting->outcome->applied() && care && care->copied)
        care->copied->removeCopies();
    return *waiting->outcome;
}

ChangeOutcome DocumentHost::applyHere(const PhoneChange& change)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_closed)
            return collectionClosed();
    }
    if (m_doc.isReadOnly())
        return collectionReadOnly();
    auto planned = planChange(m_doc.entries(), change, m_doc.pictureFolders().photos);
    if (auto* outcome = std::get_if<ChangeOutcome>(&planned))
        return *outcome;
    const PlannedChange& plan = std::get<PlannedChange>(planned);
    if (plan.placeName) {
        // Planned on these very entries, the care cannot be refused here.
        if (!m_doc.logCareOnTrees(plan.positions(), plan.addedEvents.front()))
            return placeGone();
    } else {
        const PlannedChange::EntryValues& changed = plan.entries.front();
        const std::string journalBefore(m_doc.entryAt(changed.position)[talvane::journal::kJournalField]);
        const std::string journalAfter = changed.values.front().second;
        FieldValues values(changed.values.begin(), changed.values.end());
        // The Journal tab of the tree on show takes the phone's events too: as they are when
        // it holds no edits of its own, merged into its edits when it does.
        m_doc.changeFieldsFromElsewhere(changed.position, values,
                                        CTalvaneDoc::stepText(coreText(plan.stepVerb), plan.name),
                                        [&](const std::string& pageJournal) {
                                            return pageJournal == journalBefore ? journalAfter
                                                                                : mergeIntoJournal(plan, pageJournal);
                                        });
    }
    m_retake.stop();
    takeSnapshot();
    return appliedOutcome(m_doc.entries(), plan);
}

std::optional<PhonePicture> DocumentHost::photoForPhone(const std::filesystem::path& photo, int side)
{
    const ShownPhoto shown = readShownPhoto(fromFsPath(photo), side);
    if (shown.image.isNull())
        return std::nullopt;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(85);
    if (!writer.write(shown.image))
        return std::nullopt;
    return PhonePicture{bytes.toStdString(), "image/jpeg"};
}
