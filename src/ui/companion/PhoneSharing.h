#pragma once

#include "core/companion/CompanionServer.h"
#include "core/companion/FileServing.h"
#include "core/companion/ServingRecord.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>

class CTalvaneDoc;
class DocumentHost;
class GardenWatch;

// Sharing the open collection with phones, with the garden's alerts of the window's
// watch when it is given one: off until started, and stopped when asked, or when the
// collection is replaced (New, Open, a reload). Tells the window when the
// phones change, at most once per turn of its event loop.
//
// A collection opened while a program serves it without a window (talvane-cli serve, or
// this program with its window closed) is handed over: that program lets it go, and the
// window shares it at the same address with the same phones; the program takes it back
// once the window holds it no more.
class PhoneSharing : public QObject {
    Q_OBJECT
public:
    // The port tried first, so that a phone finds the same address from one sharing to
    // the next; any free port when it is taken.
    static constexpr int kPreferredPort = 8750;

    explicit PhoneSharing(CTalvaneDoc& doc, const GardenWatch* watch = nullptr, QObject* parent = nullptr);
    ~PhoneSharing() override;

    // The port tried first from now on (0: any free one).
    void setPreferredPort(int port) { m_preferredPort = port; }

    // Starts sharing on the given address ("0.0.0.0": every network), on the preferred
    // port or, when it is taken, any free one; gives the reason when it cannot.
    std::optional<QString> start(const QString& bindAddress);
    // Shares on another address from now on, the phones staying paired; gives the reason
    // when it cannot, and shares where it did.
    std::optional<QString> listenOn(const QString& bindAddress);
    void stop();
    bool isSharing() const { return m_server != nullptr; }

    // Goes on serving the shared collection with the window closed: the document lets
    // the file go, and the file is served as talvane-cli serve does (each change written
    // at once), at the same address. Gives why it cannot; sharing has then stopped.
    std::optional<QString> keepServingWithoutWindow();
    // The collection served with the window closed; empty when none is.
    QString servedWithoutWindow() const { return m_withoutWindow ? m_withoutWindowFile : QString(); }
    void stopServingWithoutWindow();
    // The collection shared was handed over by another program, which takes it back
    // once the window lets it go.
    bool isOnLoan() const { return m_onLoan; }

    talvane::companion::CompanionServer* server() const { return m_server.get(); }
    // "Shared with 1 phone"; empty while not sharing.
    QString statusText() const;
    // The file of the tokens that let programs use the collection's API; nothing for an
    // untitled collection, which has none.
    std::optional<std::filesystem::path> programTokensFile() const;
    // The file of the collection shared; empty for an untitled one.
    QString collectionFile() const;

signals:
    void sharingChanged();
    void phonesChanged();

private:
    talvane::companion::ServerOptions serverOptions(const QString& bindAddress, int port) const;
    std::optional<QString> startAt(const QString& bindAddress, int port);
    // The collection about to be opened is served by a program without a window: it
    // hands it over, and the window shares it where that program did once open.
    void takeOver(const QString& collection);
    void onEntriesReset();

    CTalvaneDoc& m_doc;
    const GardenWatch* m_watch;
    std::unique_ptr<DocumentHost> m_host;
    std::unique_ptr<talvane::companion::CompanionServer> m_server;
    int m_preferredPort = kPreferredPort;
    std::unique_ptr<talvane::companion::FileServing> m_withoutWindow;
    QString m_withoutWindowFile;
    // Where the collection being opened was served before it was handed over.
    std::optional<talvane::companion::ServedAt> m_handedOver;
    QString m_handedOverFile;
    bool m_handedOverByAnother = false;
    bool m_onLoan = false;
    std::shared_ptr<std::atomic<bool>> m_noticePending = std::make_shared<std::atomic<bool>>(false);
};
