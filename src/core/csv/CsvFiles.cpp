#include "csv/CsvFiles.h"

#include "collection/CollectionFile.h"
#include "csv/CollectionCsv.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string SystemReason() { return std::strerror(errno); }

std::optional<std::string> WriteAndSync(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return SystemReason();
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    if (::fsync(fd) != 0)
        return SystemReason();
    return std::nullopt;
}

// mkostemp makes the file private; an exported table gets the mode of any new file.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::string& bytes)
{
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored))
        return std::string("it is a folder");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return SystemReason();
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::string("read error");
    return std::nullopt;
}

// Replaces `target` with `bytes` through a temporary file renamed over it, so that
// `target` holds either its old content or all of the new, and no half file is left.
std::optional<std::string> ReplaceFileContent(const std::filesystem::path& target, std::string_view bytes)
{
    const auto folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string temporary = (folder / ("." + target.filename().string() + kSaveTemporaryMarker + "XXXXXX")).string();
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return SystemReason();
    auto failure = WriteAndSync(fd, bytes);
    if (!failure && ::fchmod(fd, NewFileMode()) != 0)
        failure = SystemReason();
    if (::close(fd) != 0 && !failure)
        failure = SystemReason();
    if (!failure && ::rename(temporary.c_str(), target.c_str()) != 0)
        failure = SystemReason();
    if (failure)
        ::unlink(temporary.c_str());
    return failure;
}

} // namespace

std::optional<std::string> ExportCollectionCsv(const std::filesystem::path& tvnFile,
                                               const std::filesystem::path& csvFile)
{
    EntryList entries;
    if (auto failure = LoadCollectionFile(tvnFile, entries))
        return tvnFile.string() + ": " + *failure;
    if (auto failure = ReplaceFileContent(csvFile, CollectionToCsv(entries)))
        return "cannot write " + csvFile.string() + ": " + *failure;
    return std::nullopt;
}

std::optional<std::string> ImportCollectionCsv(const std::filesystem::path& csvFile,
                                               const std::filesystem::path& tvnFile)
{
    std::string csv;
    if (auto failure = ReadWholeFile(csvFile, csv))
        return "cannot read " + csvFile.string() + ": " + *failure;
    EntryList entries;
    if (auto failure = CollectionFromCsv(csv, entries))
        return csvFile.string() + ": " + *failure + "; " + tvnFile.string() + " not written";
    if (auto failure = SaveCollectionFile(tvnFile, entries))
        return "cannot write " + tvnFile.string() + ": " + *failure;
    return std::nullopt;
}
