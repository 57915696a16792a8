#pragma once

#include "core/collection/BonsaiData.h"
#include "core/passport/PassportLayout.h"
#include "core/passport/PassportManifest.h"
#include "core/passport/ZipArchive.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace talvane::passport {

// How much a passport may hold, counted in the bytes it inflates to as they are read:
// the sizes its directory gives are never trusted.
struct PassportLimits {
    std::uint64_t maxFileBytes = std::uint64_t{1} << 30;
    std::uint64_t maxTotalBytes = std::uint64_t{4} << 30;
    std::uint64_t maxFiles = 10000;
    // Past the first ratioFreeBytes, all its files together may inflate to at most this
    // many times the passport's own size: a small archive that inflates to gigabytes
    // is stopped long before the totals above.
    std::uint64_t maxRatio = 100;
    std::uint64_t ratioFreeBytes = std::uint64_t{64} << 20;
};

// "Oak.tvp cannot be imported: <why>.": every refusal of a passport reads so.
std::string importRefusal(std::string_view passportName, std::string_view why);

// A picture the passport holds, under its name in the entry.
struct HeldPicture {
    PictureName name;
    std::uint64_t index = 0;
};

// Reads a passport as the hostile input any file from elsewhere may be. Opening checks
// everything but the pictures' bytes: every name in the archive is one the format has,
// each once, of a plain file, not encrypted, within the limits; the manifest reads and
// is of this format version; tree.tvn holds exactly one entry; every picture the entry
// names is held or was left out at export, and every picture held is named. The
// pictures' bytes are checked (their CRC, the limits) as they are read.
class PassportReader {
public:
    explicit PassportReader(const std::filesystem::path& file, const PassportLimits& limits = {});
    // A passport in memory, as `shownName`; the bytes must outlive the reader.
    PassportReader(std::string_view bytes, std::string shownName, const PassportLimits& limits = {});
    ~PassportReader();
    PassportReader(const PassportReader&) = delete;
    PassportReader& operator=(const PassportReader&) = delete;

    // Empty while the passport may be imported; else the refusal, importRefusal's form.
    const std::string& problem() const { return m_problem; }
    const std::string& shownName() const { return m_shownName; }
    const PassportManifest& manifest() const { return m_manifest; }
    // The tree, once: whoever imports it takes it.
    std::unique_ptr<CBonsaiData> takeEntry() { return std::move(m_entry); }
    const std::vector<HeldPicture>& pictures() const { return m_pictures; }

    // Inflates a picture, handing its bytes to `take` piece by piece; `take` gives why
    // it could not take them, or nothing. False, with problem() set, when the picture
    // cannot be read or passes a limit, or `take` failed.
    bool readPicture(const HeldPicture& picture, const std::function<std::string(std::string_view)>& take);

private:
    void check();
    bool checkDirectory(std::uint64_t& manifestIndex, std::uint64_t& treeIndex);
    bool checkEntryName(std::uint64_t index, std::string_view rawName, std::uint64_t& manifestIndex,
                        std::uint64_t& treeIndex);
    // A member that is a plain file: not encrypted, not a link, not a folder.
    bool checkEntryKind(std::uint64_t index, std::string_view rawName, bool encrypted);
    // Adds a member's claimed size to those declared before it, within the limits.
    bool checkClaimedSize(std::string_view rawName, std::uint64_t size, std::uint64_t& declared);
    bool checkPictureNames();
    bool readWhole(std::uint64_t index, std::uint64_t most, std::string& bytes);
    bool readMember(std::uint64_t index, std::uint64_t most, const std::function<std::string(std::string_view)>& take);
    bool refuse(std::string_view why);

    std::string m_shownName;
    PassportLimits m_limits;
    std::uint64_t m_archiveBytes = 0;
    ZipArchive m_archive;
    std::string m_problem;
    std::uint64_t m_inflated = 0;
    PassportManifest m_manifest;
    std::unique_ptr<CBonsaiData> m_entry;
    std::vector<HeldPicture> m_pictures;
};

} // namespace talvane::passport
