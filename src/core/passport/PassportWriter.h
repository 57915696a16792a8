#pragma once

#include "core/collection/SafeFile.h"
#include "core/passport/ZipArchive.h"

#include <ctime>
#include <deque>
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace talvane::passport {

// A passport written whole or not at all. libzip writes the archive at commit, into a
// temporary file beside the target; that file is flushed to disk and only then takes
// the target's place. Until then, and after any failure, the target is as it was and
// no temporary file is left. Names are UTF-8; every file is a plain file, readable as
// a new file of this user is.
class PassportWriter {
public:
    // problem() tells why the archive could not be started.
    explicit PassportWriter(const std::filesystem::path& target);
    ~PassportWriter();
    PassportWriter(const PassportWriter&) = delete;
    PassportWriter& operator=(const PassportWriter&) = delete;

    // Each gives false, and adds nothing, once something failed.
    bool addText(std::string_view name, std::string bytes, std::time_t modified);
    // The file's bytes are read at commit.
    bool addFile(std::string_view name, const std::filesystem::path& file);
    // Writes the archive and puts it in the target's place.
    bool commit();

    // Why it failed, in words a user can act on; empty while nothing did.
    const std::string& problem() const { return m_problem; }

private:
    bool add(std::string_view name, struct zip_source* source, bool storedAsIs);
    bool fail(std::string problem);

    collection::SaveTemporary m_temporary;
    mode_t m_mode = 0;
    ZipArchive m_archive;
    // The bytes of the texts added, which libzip reads only at commit.
    std::deque<std::string> m_texts;
    std::string m_problem;
};

} // namespace talvane::passport
