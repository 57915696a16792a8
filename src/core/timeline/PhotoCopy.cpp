#include "core/timeline/PhotoCopy.h"

#include "core/collection/PosixFile.h"
#include "core/collection/SafeFile.h"
#include "core/timeline/TimelinePhoto.h"
#include "core/text/Windows1252.h"
#include "core/text/Words.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace talvane::timeline {

namespace {

constexpr std::size_t kMaxNameLength = 40;
constexpr std::size_t kMaxExtensionLength = 5;
constexpr int kMaxNumber = 9999;

bool isAsciiLetterOrDigit(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The Windows-1252 letters beyond ASCII: Š Œ Ž š œ ž Ÿ and À to ÿ less × and ÷.
bool isAccentedLetter(unsigned char c)
{
    switch (c) {
    case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F: return true;
    default: return c >= 0xC0 && c != 0xD7 && c != 0xF7;
    }
}

// Copies every byte of `from` into `to`, in the kernel where it can.
bool copyBytes(int from, int to, std::uintmax_t size)
{
    std::uintmax_t done = 0;
    while (done < size) {
        const ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr, size - done, 0);
        if (copied < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP))
            break;
        if (copied < 0 && errno != EINTR)
            return false;
        if (copied == 0)
            return done == size;
        if (copied > 0)
            done += static_cast<std::uintmax_t>(copied);
    }
    if (done == size)
        return true;
    // A file system that cannot copy in the kernel: read and write.
    if (::lseek(from, static_cast<off_t>(done), SEEK_SET) < 0)
        return false;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got == 0)
            return true;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || !collection::writeAll(to, std::string_view(buffer, static_cast<std::size_t>(got))))
            return false;
    }
}

StagedPhoto failed(std::string problem)
{
    StagedPhoto result;
    result.problem = std::move(problem);
    return result;
}

} // namespace

int nameWithoutReplacing(const std::filesystem::path& temporary, const std::filesystem::path& target)
{
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
    if (::link(temporary.c_str(), target.c_str()) != 0)
        return errno;
    ::unlink(temporary.c_str());
    return 0;
}

std::string photoFileStem(journal::CalendarDate taken, std::string_view treeName)
{
    std::string kept;
    for (char c : treeName) {
        const auto byte = static_cast<unsigned char>(c);
        const bool keeps = isAsciiLetterOrDigit(byte) || isAccentedLetter(byte) || c == '-' || c == '_';
        if (keeps)
            kept += c;
        else if (!kept.empty() && kept.back() != ' ')
            kept += ' ';
    }
    while (!kept.empty() && kept.back() == ' ')
        kept.pop_back();
    if (kept.size() > kMaxNameLength) {
        kept.resize(kMaxNameLength);
        while (!kept.empty() && kept.back() == ' ')
            kept.pop_back();
    }
    return taken.text() + " " + (kept.empty() ? std::string("Tree") : kept);
}

std::string photoExtension(const std::filesystem::path& source)
{
    const std::string extension = source.extension().string();
    if (extension.size() < 2 || extension.size() > kMaxExtensionLength + 1)
        return {};
    std::string lowered = ".";
    for (char c : extension.substr(1)) {
        if (!isAsciiLetterOrDigit(static_cast<unsigned char>(c)))
            return {};
        lowered += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return lowered;
}

std::string preparePhotoFolder(const std::filesystem::path& folder, bool* made)
{
    const bool madeHere = ::mkdir(folder.c_str(), 0777) == 0;
    if (made)
        *made = madeHere;
    if (!madeHere && errno != EEXIST)
        return collection::systemReason(errno);
    struct stat facts {};
    if (::stat(folder.c_str(), &facts) != 0)
        return collection::systemReason(errno);
    if (!S_ISDIR(facts.st_mode))
        return text::sayMessage(SHOWN_TEXT("\"%1\" beside the collection is not a folder."), {folder.filename().string()});
    return {};
}

void StagedPhoto::discard() const
{
    if (!temporary.empty())
        ::unlink(temporary.c_str());
}

StagedPhoto stageNewFile(const std::filesystem::path& folder, const std::function<std::string(int fd)>& fill)
{
    std::string temporary = (folder / ".photo-copy-XXXXXX").string();
    collection::FileDescriptor out(::mkostemp(temporary.data(), O_CLOEXEC));
    if (out.get() < 0)
        return failed(collection::systemReason(errno));
    std::string problem = fill(out.get());
    if (problem.empty() && (::fchmod(out.get(), collection::newFileMode()) != 0 || out.close() != 0))
        problem = collection::systemReason(errno);
    if (!problem.empty()) {
        ::unlink(temporary.c_str());
        return failed(std::move(problem));
    }
    StagedPhoto staged;
    staged.temporary = temporary;
    return staged;
}

StagedPhoto stagePhotoCopy(const std::filesystem::path& source, const std::filesystem::path& folder)
{
    collection::FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat facts {};
    if (in.get() < 0 || ::fstat(in.get(), &facts) != 0)
        return failed(collection::systemReason(errno));
    if (!S_ISREG(facts.st_mode))
        return failed(text::sayMessage(SHOWN_TEXT("It is not a file.")));
    if (static_cast<std::uintmax_t>(facts.st_size) > kMaxPhotoBytes)
        return failed(text::sayMessage(SHOWN_TEXT("It is larger than 1 GB.")));

    const struct timespec times[2] = {facts.st_atim, facts.st_mtim};
    StagedPhoto staged = stageNewFile(folder, [&](int out) {
        if (!copyBytes(in.get(), out, static_cast<std::uintmax_t>(facts.st_size)) || ::futimens(out, times) != 0)
            return collection::systemReason(errno);
        return std::string();
    });
    staged.source = source;
    staged.modifiedSeconds = static_cast<std::int64_t>(facts.st_mtim.tv_sec);
    return staged;
}

void makeStagedCopiesDurable(const std::filesystem::path& folder)
{
    collection::FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::syncfs(dir.get());
}

CopiedPhoto nameStagedCopy(const StagedPhoto& staged, const std::filesystem::path& folder, std::string_view stem,
                           int firstNumber)
{
    return nameStagedFile(staged, folder, stem, photoExtension(staged.source), firstNumber);
}

CopiedPhoto nameStagedFile(const StagedPhoto& staged, const std::filesystem::path& folder, std::string_view stem,
                           std::string_view extension, int firstNumber)
{
    for (int number = std::max(1, firstNumber); number <= kMaxNumber; ++number) {
        std::string name(stem);
        if (number > 1)
            name += " (" + std::to_string(number) + ")";
        name += extension;
        const std::filesystem::path target = folder / text::cp1252ToUtf8(name);
        const int error = nameWithoutReplacing(staged.temporary, target);
        if (error == EEXIST)
            continue;
        if (error != 0) {
            staged.discard();
            return {{}, 0, {}, collection::systemReason(error)};
        }
        return {name, number, target, {}};
    }
    staged.discard();
    return {{}, 0, {}, collection::systemReason(EEXIST)};
}

void removePlacedFiles(const std::vector<std::filesystem::path>& files)
{
    std::set<std::filesystem::path> folders;
    for (const auto& file : files) {
        ::unlink(file.c_str());
        folders.insert(file.parent_path());
    }
    for (const auto& folder : folders)
        collection::syncFolder(folder);
}

} // namespace talvane::timeline
