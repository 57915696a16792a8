#include "core/collection/FileMetadata.h"

#include <cerrno>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace talvane::collection {

namespace {

// Runs a query that first tells the size it needs, then fills a buffer of that size;
// again when the value grew in between. False with errno set when it fails.
template <typename Query>
bool querySized(Query query, std::string& value)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t size = query(nullptr, 0);
        if (size < 0)
            return false;
        value.resize(static_cast<std::size_t>(size));
        const ssize_t got = query(value.data(), value.size());
        if (got >= 0) {
            value.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
    return false;
}

} // namespace

bool keepOwner(int to, const struct stat& from)
{
    struct stat own {};
    if (::fstat(to, &own) != 0)
        return false;
    if (own.st_uid == from.st_uid && own.st_gid == from.st_gid)
        return true;
    const uid_t user = own.st_uid == from.st_uid ? static_cast<uid_t>(-1) : from.st_uid;
    const gid_t group = own.st_gid == from.st_gid ? static_cast<gid_t>(-1) : from.st_gid;
    return ::fchown(to, user, group) == 0;
}

bool keepExtendedAttributes(int from, int to)
{
    std::string names;
    if (!querySized([from](char* into, std::size_t size) { return ::flistxattr(from, into, size); }, names))
        return errno == ENOTSUP; // a file system without attributes gave the file none
    std::string value;
    for (std::size_t at = 0; at < names.size();) {
        const std::string name(names.c_str() + at);
        at += name.size() + 1;
        const auto read = [&](char* into, std::size_t size) { return ::fgetxattr(from, name.c_str(), into, size); };
        if (!querySized(read, value) || ::fsetxattr(to, name.c_str(), value.data(), value.size(), 0) != 0)
            return false;
    }
    return true;
}

} // namespace talvane::collection
