#include "core/passport/PassportWriter.h"

#include "core/collection/PosixFile.h"
#include "core/passport/PassportLayout.h"

#include <zip.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace talvane::passport {

namespace {

constexpr zip_uint32_t kPlainFileAttributes = zip_uint32_t{S_IFREG | 0644} << 16;

} // namespace

PassportWriter::PassportWriter(const std::filesystem::path& target)
{
    const auto resolved = collection::resolveLinks(target);
    collection::removeStaleTemporaries(resolved);
    if (auto failure = m_temporary.create(resolved)) {
        fail(std::move(*failure));
        return;
    }
    struct stat old {};
    m_mode = ::stat(resolved.c_str(), &old) == 0 ? old.st_mode & 07777 : collection::newFileMode();
    int error = ZIP_ER_OK;
    m_archive.reset(zip_open(m_temporary.path().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error));
    if (!m_archive)
        fail(zipErrorText(error));
}

PassportWriter::~PassportWriter() = default;

bool PassportWriter::fail(std::string problem)
{
    if (m_problem.empty())
        m_problem = std::move(problem);
    m_archive.reset();
    return false;
}

bool PassportWriter::add(std::string_view name, zip_source_t* source, bool storedAsIs)
{
    if (source == nullptr)
        return fail(zip_strerror(m_archive.get()));
    const zip_int64_t index = zip_file_add(m_archive.get(), std::string(name).c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return fail(zip_strerror(m_archive.get()));
    }
    const auto at = static_cast<zip_uint64_t>(index);
    if (zip_set_file_compression(m_archive.get(), at, storedAsIs ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) != 0 ||
        zip_file_set_external_attributes(m_archive.get(), at, 0, ZIP_OPSYS_UNIX, kPlainFileAttributes) != 0)
        return fail(zip_strerror(m_archive.get()));
    return true;
}

bool PassportWriter::addText(std::string_view name, std::string bytes, std::time_t modified)
{
    if (!m_archive)
        return false;
    const std::string& kept = m_texts.emplace_back(std::move(bytes));
    zip_source_t* source = zip_source_buffer(m_archive.get(), kept.data(), kept.size(), 0);
    if (!add(name, source, false))
        return false;
    const auto index = static_cast<zip_uint64_t>(zip_get_num_entries(m_archive.get(), 0) - 1);
    if (zip_file_set_mtime(m_archive.get(), index, modified, 0) != 0)
        return fail(zip_strerror(m_archive.get()));
    return true;
}

bool PassportWriter::addFile(std::string_view name, const std::filesystem::path& file)
{
    if (!m_archive)
        return false;
    return add(name, zip_source_file(m_archive.get(), file.c_str(), 0, -1), isStoredAsIs(name));
}

bool PassportWriter::commit()
{
    if (!m_archive)
        return false;
    if (zip_close(m_archive.get()) != 0)
        return fail(zip_strerror(m_archive.get()));
    m_archive.release();
    // libzip wrote the archive beside the temporary and renamed it over it: that file is
    // the one to give its permissions and to flush.
    collection::FileDescriptor written(::open(m_temporary.path().c_str(), O_RDONLY | O_CLOEXEC));
    if (written.get() < 0 || ::fchmod(written.get(), m_mode) != 0 || ::fsync(written.get()) != 0 ||
        written.close() != 0)
        return fail(collection::systemReason(errno));
    if (auto failure = m_temporary.replaceTarget())
        return fail(std::move(*failure));
    return true;
}

} // namespace talvane::passport
