#include "ui/companion/PhoneSharing.h"

#include "ui/companion/DocumentHost.h"
#include "ui/companion/PhoneLanguage.h"
#include "core/companion/ProgramTokens.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/framework/BaseDirectory.h"
#include "ui/framework/FilePaths.h"

#include <QFileInfo>

using namespace talvane::companion;

PhoneSharing::PhoneSharing(CTalvaneDoc& doc, const GardenWatch* watch, QObject* parent)
    : QObject(parent), m_doc(doc), m_watch(watch)
{
    connect(&doc, &CTalvaneDoc::entriesReset, this, &PhoneSharing::onEntriesReset);
    connect(&doc, &CTalvaneDoc::lockingFile, this, &PhoneSharing::takeOver);
}

PhoneSharing::~PhoneSharing()
{
    // The window that owns it is being taken down: what listens may be gone already.
    blockSignals(true);
    stop();
}

ServerOptions PhoneSharing::serverOptions(const QString& bindAddress, int port) const
{
    ServerOptions options;
    options.bindAddress = bindAddress.toStdString();
    options.port = port;
    options.translate = phoneTextInWindowLanguage;
    return options;
}

std::optional<QString> PhoneSharing::start(const QString& bindAddress)
{
    return startAt(bindAddress, m_preferredPort);
}

std::optional<QString> PhoneSharing::startAt(const QString& bindAddress, int port)
{
    stop();
    m_host = std::make_unique<DocumentHost>(m_doc, m_watch);
    m_server = std::make_unique<CompanionServer>(*m_host);
    // Requests come on the server's threads: the window hears of them on its own.
    m_server->sessions().setOnChange([this, pending = m_noticePending] {
        if (!pending->exchange(true))
            QMetaObject::invokeMethod(this, [this, pending] {
                pending->store(false);
                emit phonesChanged();
            }, Qt::QueuedConnection);
    });
    ServerOptions options = serverOptions(bindAddress, port);
    // Programs' tokens and paired phones belong to a collection's file: an untitled one
    // keeps its phones while it is shared.
    if (!m_doc.pathName().isEmpty())
        useCollectionFiles(options, fsPath(m_doc.pathName()));
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
    m_onLoan = false;
    if (!m_server)
        return;
    // Changes waiting for the window are answered first, so the server's threads end.
    m_host->close();
    m_server->stop();
    m_server.reset();
    m_host.reset();
    emit sharingChanged();
}

std::optional<QString> PhoneSharing::keepServingWithoutWindow()
{
    if (!m_server || m_doc.pathName().isEmpty())
        return tr("Only a collection saved in a file can be served with the window closed.");
    const QString collection = m_doc.pathName();
    const ServerOptions options = serverOptions(QString::fromStdString(m_server->bindAddress()), m_server->port());
    // The document lets the file and its lock go, which ends the window's sharing.
    m_doc.OnNewDocument();
    auto started = FileServing::start(fsPath(collection), fsPath(baseDirectory()), options);
    if (auto* failure = std::get_if<std::string>(&started))
        return QString::fromStdString(*failure);
    m_withoutWindow = std::move(std::get<std::unique_ptr<FileServing>>(started));
    m_withoutWindowFile = collection;
    emit sharingChanged();
    return std::nullopt;
}

void PhoneSharing::stopServingWithoutWindow()
{
    if (!m_withoutWindow)
        return;
    m_withoutWindow.reset();
    emit sharingChanged();
}

void PhoneSharing::takeOver(const QString& collection)
{
    m_handedOver.reset();
    if (m_withoutWindow && fsPath(collection) == std::filesystem::absolute(fsPath(m_withoutWindowFile))) {
        auto& server = m_withoutWindow->server();
        m_handedOver = ServedAt{server.bindAddress(), server.port()};
        m_withoutWindow.reset();
        m_handedOverByAnother = false;
    } else {
        m_handedOver = ServingRecord::askToHandOver(fsPath(collection));
        m_handedOverByAnother = true;
    }
    m_handedOverFile = collection;
}

void PhoneSharing::onEntriesReset()
{
    stop();
    const auto handedOver = std::exchange(m_handedOver, std::nullopt);
    if (!handedOver || m_doc.pathName().isEmpty() ||
        fsPath(QFileInfo(m_doc.pathName()).absoluteFilePath()) != fsPath(m_handedOverFile))
        return;
    // Where the port was taken meanwhile, any free one: the phones then need the new
    // address from the Share window.
    if (!startAt(QString::fromStdString(handedOver->bindAddress), handedOver->port))
        m_onLoan = m_handedOverByAnother;
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
    return ProgramTokens::fileFor(fsPath(m_doc.pathName()));
}

QString PhoneSharing::collectionFile() const
{
    return m_doc.pathName();
}
