#pragma once

#include "core/companion/CollectionHost.h"

#include <QObject>
#include <QTimer>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

class CTalvaneDoc;
class GardenWatch;

// The open document as the phone companion's collection. Phones read a snapshot that
// is taken again after every change of the entries or of the garden's alerts (those of
// the window's watch, when it is given one), so a request never waits for the window; a
// change from a phone is handed to the window's thread and made there as one step of
// the document's history, while the request waits for its outcome.
class DocumentHost : public QObject, public talvane::companion::CollectionHost {
    Q_OBJECT
public:
    explicit DocumentHost(CTalvaneDoc& doc, const GardenWatch* watch = nullptr, QObject* parent = nullptr);
    ~DocumentHost() override;

    std::shared_ptr<const talvane::companion::CollectionSnapshot> snapshot() override;
    talvane::companion::ChangeOutcome apply(const talvane::companion::PhoneChange& change) override;
    std::optional<talvane::companion::PhonePicture> photoForPhone(const std::filesystem::path& photo, int side) override;

    // Ends the serving: no snapshot any more, and changes still waiting for the window
    // are answered that the collection was closed. On the window's thread.
    void close();

private:
    struct Waiting {
        std::mutex mutex;
        std::condition_variable done;
        std::optional<talvane::companion::ChangeOutcome> outcome;
        void finish(talvane::companion::ChangeOutcome given);
    };

    talvane::companion::ChangeOutcome applyHere(const talvane::companion::PhoneChange& change);
    void takeSnapshot();

    CTalvaneDoc& m_doc;
    const GardenWatch* m_watch;
    QTimer m_retake;
    std::mutex m_mutex;
    bool m_closed = false;
    std::shared_ptr<const talvane::companion::CollectionSnapshot> m_snapshot;
    std::vector<std::weak_ptr<Waiting>> m_waiting;
};
