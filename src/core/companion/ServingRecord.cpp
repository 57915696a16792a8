#include "core/companion/ServingRecord.h"

#include "core/collection/CollectionLock.h"
#include "core/collection/SafeFile.h"
#include "core/companion/KeptFile.h"
#include "core/companion/ProgramTokens.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <thread>
#include <unistd.h>

namespace talvane::companion {

namespace {

std::optional<ServedAt> readNote(const std::filesystem::path& file)
{
    std::string bytes;
    if (collection::readWholeFile(file, bytes))
        return std::nullopt;
    const auto json = nlohmann::json::parse(bytes, nullptr, false);
    try {
        ServedAt note{json.at("bind").get<std::string>(), json.at("port").get<int>(), json.at("pid").get<long>(),
                      json.value("handsOver", false)};
        if (note.pid <= 0 || note.port <= 0 || note.port > 65535)
            return std::nullopt;
        return note;
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;
    }
}

bool holdsLock(const std::filesystem::path& collection, long pid)
{
    const auto holder = collection::liveLockHolder(collection);
    return holder && holder->pid == pid;
}

} // namespace

std::filesystem::path ServingRecord::fileFor(const std::filesystem::path& collection)
{
    const std::filesystem::path sharing = ProgramTokens::fileFor(collection);
    // Only an absolute value counts, as for every other XDG folder.
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/')
        return std::filesystem::path(runtime) / "talvane" / "serving" / sharing.filename();
    return std::filesystem::path(sharing).replace_extension(".serving.json");
}

std::optional<ServedAt> ServingRecord::read(const std::filesystem::path& file)
{
    const auto note = readNote(file);
    // Signal 0 only asks whether the process lives; one of another user's (EPERM) does too.
    if (!note || (::kill(static_cast<pid_t>(note->pid), 0) != 0 && errno != EPERM))
        return std::nullopt;
    return note;
}

std::optional<ServedAt> ServingRecord::askToHandOver(const std::filesystem::path& collection,
                                                     std::chrono::milliseconds wait)
{
    const auto served = read(fileFor(collection));
    // Only a server that says it lends is signalled: to a window the signal is fatal.
    // Another user's server is not asked: the signal would be refused anyway.
    if (!served || !served->handsOver || served->pid == ::getpid() || ::kill(static_cast<pid_t>(served->pid), kHandOverSignal) != 0)
        return std::nullopt;
    const auto giveUp = std::chrono::steady_clock::now() + wait;
    while (holdsLock(collection, served->pid)) {
        if (std::chrono::steady_clock::now() >= giveUp)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return served;
}

ServingRecord::ServingRecord(std::filesystem::path file, ServedAt at) : m_file(std::move(file)), m_at(std::move(at))
{
    write();
}

ServingRecord::~ServingRecord()
{
    const auto note = readNote(m_file);
    if (note && note->pid == ::getpid() && note->port == m_at.port) {
        std::error_code ignored;
        std::filesystem::remove(m_file, ignored);
    }
}

void ServingRecord::moveTo(const std::string& bindAddress)
{
    m_at.bindAddress = bindAddress;
    write();
}

void ServingRecord::write()
{
    // Without the note the server serves all the same: only `talvane-cli pair` cannot find it.
    KeptFile(m_file).write(nlohmann::json{{"pid", ::getpid()}, {"bind", m_at.bindAddress}, {"port", m_at.port}, {"handsOver", m_at.handsOver}}.dump() + "\n");
}

} // namespace talvane::companion
