#pragma once

#include "companion/CompanionServer.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>

class CTalvaneDoc;
class DocumentHost;

// Sharing the open collection with phones: off until started, and stopped when asked,
// or when the collection is replaced (New, Open, a reload). Tells the window when the
// phones change, at most once per turn of its event loop.
class PhoneSharing : public QObject {
    Q_OBJECT
public:
    // The port tried first, so that a phone finds the same address from one sharing to
    // the next; any free port when it is taken.
    static constexpr int kPreferredPort = 8750;

    explicit PhoneSharing(CTalvaneDoc& doc, QObject* parent = nullptr);
    ~PhoneSharing() override;

    // Starts sharing on the given address ("0.0.0.0": every network); gives the reason
    // when it cannot.
    std::optional<QString> start(const QString& bindAddress);
    // Shares on another address from now on, the phones staying paired; gives the reason
    // when it cannot, and shares where it did.
    std::optional<QString> listenOn(const QString& bindAddress);
    void stop();
    bool isSharing() const { return m_server != nullptr; }

    talvane::companion::CompanionServer* server() const { return m_server.get(); }
    // "Shared with 1 phone"; empty while not sharing.
    QString statusText() const;
    // The file of the tokens that let programs use the collection's API; nothing for an
    // untitled collection, which has none.
    std::optional<std::filesystem::path> programTokensFile() const;

signals:
    void sharingChanged();
    void phonesChanged();

private:
    CTalvaneDoc& m_doc;
    std::unique_ptr<DocumentHost> m_host;
    std::unique_ptr<talvane::companion::CompanionServer> m_server;
    std::shared_ptr<std::atomic<bool>> m_noticePending = std::make_shared<std::atomic<bool>>(false);
};
