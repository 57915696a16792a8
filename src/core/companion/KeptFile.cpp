#include "core/companion/KeptFile.h"

#include "core/collection/SafeFile.h"
#include "core/collection/UserFolders.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace talvane::companion {

FileLock::FileLock(const std::filesystem::path& file, Waiting waiting)
{
    if ((m_failure = collection::makeOwnFolder(file.parent_path())))
        return;
    m_fd = collection::FileDescriptor(::open((file.native() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR));
    if (m_fd.get() < 0 || ::flock(m_fd.get(), waiting == Waiting::Wait ? LOCK_EX : LOCK_EX | LOCK_NB) != 0)
        m_failure = collection::systemReason(errno);
}

KeptFile::Look KeptFile::look()
{
    struct stat status {};
    if (::stat(m_file.c_str(), &status) != 0) {
        const int error = errno;
        m_seen.reset();
        if (error == ENOENT || error == ENOTDIR)
            return {Look::State::Missing, {}, {}};
        return {Look::State::Unreadable, {}, collection::systemReason(error)};
    }
    const collection::FileIdentity identity = collection::identityOf(status);
    if (m_seen == identity)
        return {};
    Look look{Look::State::Read, {}, {}};
    if (auto failure = collection::readWholeFile(m_file, look.bytes)) {
        m_seen.reset();
        return {Look::State::Unreadable, {}, *failure};
    }
    // Even a damaged file is read once: it is damaged until it changes.
    m_seen = identity;
    return look;
}

std::optional<std::string> KeptFile::write(std::string_view bytes)
{
    if (auto failure = collection::makeOwnFolder(m_file.parent_path()))
        return failure;
    collection::removeStaleTemporaries(m_file);
    collection::SaveTemporary temporary;
    if (auto failure = temporary.create(m_file))
        return failure;
    // The user's own, whatever the temporary was made with.
    if (::fchmod(temporary.descriptor(), S_IRUSR | S_IWUSR) != 0)
        return collection::systemReason(errno);
    if (auto failure = temporary.write(bytes))
        return failure;
    if (auto failure = temporary.replaceTarget())
        return failure;
    // What was just written need not be read back.
    struct stat status {};
    m_seen = ::stat(m_file.c_str(), &status) == 0 ? std::optional(collection::identityOf(status)) : std::nullopt;
    return std::nullopt;
}

} // namespace talvane::companion
