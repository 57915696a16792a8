#include "companion/PhoneSharing.h"

#include "companion/DocumentHost.h"
#include "companion/PhoneLanguage.h"
#include "companion/PairedPhones.h"
#include "companion/ProgramTokens.h"
#include "companion/ServingRecord.h"
#include "document/TalvaneDoc.h"
#include "framework/FilePaths.h"

using namespace talvane::companion;

PhoneSharing::PhoneSharing(CTalvaneDoc& doc, QObject* parent) : QObject(parent), m_doc(doc)
{
    connect(&doc, &CTalvaneDoc::entriesReset, this, &PhoneSharing::stop);
}

PhoneSharing::~PhoneSharing()
{
    // The window that owns it is being taken down: what listens may be gone already.
    blockSignals(true);
    stop();
}

std::optional<QString> PhoneSharing::start(const QString& bindAddress)
{
    stop();
    m_host = std::make_unique<DocumentHost>(m_doc);
    m_server = std::make_unique<CompanionServer>(*m_host);
    // Requests come on the server's threads: the window hears of them on its own.
    m_server->sessions().setOnChange([this, pending = m_noticePending] {
        if (!pending->exchange(true))
            QMetaObject::invokeMethod(this, [this, pending] {
                pending->store(false);
                emit phonesChanged();
            }, Qt::QueuedConnection);
    });
    ServerOptions options;
    options.bindAddress = bindAddress.toStdString();
    options.port = kPreferredPort;
    options.translate = PhoneTextInWindowLanguage;
    // Programs' tokens and paired phones belong to a collection's file: an untitled one
    // keeps its phones while it is shared.
    if (!m_doc.pathName().isEmpty()) {
        const std::filesystem::path collection = FsPath(m_doc.pathName());
        options.tokenFile = ProgramTokens::fileFor(collection);
        options.phonesFile = PairedPhones::fileFor(collection);
        options.servingFile = ServingRecord::fileFor(collection);
    }
    auto failure = m_server->start(options);
    if (failure) {
        options.port = 0;
        failure = m_server->start(options);
    }
    if (failure) {
        m_server.reset();
        m_host.reset();
        return QString::fromStdString(*failure);
    }
    emit sharingChanged();
    return std::nullopt;
}

std::optional<QString> PhoneSharing::listenOn(const QString& bindAddress)
{
    if (!m_server)
        return start(bindAddress);
    const auto failure = m_server->listenOn(bindAddress.toStdString());
    // Where it listened before was taken meanwhile: nothing listens any more.
    if (failure && !m_server->isRunning())
        stop();
    return failure ? std::optional(QString::fromStdString(*failure)) : std::nullopt;
}

void PhoneSharing::stop()
{
    if (!m_server)
        return;
    // Changes waiting for the window are answered first, so the server's threads end.
    m_host->close();
    m_server->stop();
    m_server.reset();
    m_host.reset();
    emit sharingChanged();
}

QString PhoneSharing::statusText() const
{
    if (!m_server)
        return {};
    const std::size_t phones = m_server->sessions().phones().size();
    return phones == 1 ? tr("Shared with 1 phone") : tr("Shared with %1 phones").arg(phones);
}

std::optional<std::filesystem::path> PhoneSharing::programTokensFile() const
{
    if (m_doc.pathName().isEmpty())
        return std::nullopt;
    return ProgramTokens::fileFor(FsPath(m_doc.pathName()));
}
