#include "core/passport/PassportReader.h"

#include "core/collection/CollectionArchive.h"
#include "core/collection/PosixFile.h"
#include "core/text/Windows1252.h"
#include "core/text/Words.h"
#include "core/timeline/TimelinePhoto.h"

#include <zip.h>

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>

namespace talvane::passport {

using text::sayMessage;

namespace {

// The manifest and the tree are read into memory whole.
constexpr std::uint64_t kMaxManifestBytes = std::uint64_t{1} << 20;
constexpr std::uint64_t kMaxTreeBytes = std::uint64_t{256} << 20;
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;
// The MS-DOS attribute of a folder, which every zip writer keeps in the low byte.
constexpr zip_uint32_t kDosFolder = 0x10;

struct ZipFileClose {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

std::string describeBytes(std::uint64_t bytes)
{
    static constexpr std::array<std::pair<std::uint64_t, const char*>, 3> kUnits = {
        {{std::uint64_t{1} << 30, "GiB"}, {std::uint64_t{1} << 20, "MiB"}, {std::uint64_t{1} << 10, "KiB"}}};
    for (const auto& [size, unit] : kUnits) {
        if (bytes >= size && bytes % size == 0)
            return std::to_string(bytes / size) + " " + unit;
    }
    return bytes == 1 ? sayMessage(SHOWN_TEXT("1 byte")) : sayMessage(SHOWN_TEXT("%1 bytes"), {std::to_string(bytes)});
}

// A name from the archive as a message may show it: what is not Windows-1252 text in
// UTF-8 as "?", and so are control characters, which a terminal would act on.
std::string quotedName(std::string_view raw)
{
    std::string shown = text::cp1252ToUtf8(text::utf8ToCp1252(raw));
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const auto byte = static_cast<unsigned char>(shown[i]);
        const bool c1 = byte == 0xC2 && i + 1 < shown.size() && static_cast<unsigned char>(shown[i + 1]) < 0xA0;
        if (c1)
            shown.replace(i, 2, "?");
        else if (byte < 0x20 || byte == 0x7F)
            shown[i] = '?';
    }
    return "\"" + shown + "\"";
}

bool hasParentPart(std::string_view name)
{
    for (std::size_t start = 0;;) {
        const std::size_t end = name.find('/', start);
        if (name.substr(start, end - start) == "..")
            return true;
        if (end == std::string_view::npos)
            return false;
        start = end + 1;
    }
}

} // namespace

std::string importRefusal(std::string_view passportName, std::string_view why)
{
    // A reason from elsewhere may end its own sentence already.
    std::string refusal = sayMessage(SHOWN_TEXT("%1 cannot be imported: %2"), {std::string(passportName), std::string(why)});
    if (!why.ends_with('.'))
        refusal += '.';
    return refusal;
}

PassportReader::PassportReader(const std::filesystem::path& file, const PassportLimits& limits)
    : m_shownName(file.filename().string()), m_limits(limits)
{
    // A named pipe or a device is refused at once rather than waited on.
    collection::FileDescriptor descriptor(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat facts {};
    if (descriptor.get() < 0 || ::fstat(descriptor.get(), &facts) != 0) {
        refuse(collection::systemReason(errno));
        return;
    }
    if (!S_ISREG(facts.st_mode)) {
        refuse(sayMessage(SHOWN_TEXT("it is not a file")));
        return;
    }
    m_archiveBytes = static_cast<std::uint64_t>(facts.st_size);
    int error = ZIP_ER_OK;
    zip* archive = zip_fdopen(descriptor.get(), 0, &error);
    if (archive == nullptr) {
        refuse(sayMessage(SHOWN_TEXT("it cannot be read as a zip archive (%1)"), {zipErrorText(error)}));
        return;
    }
    descriptor.release();
    m_archive.reset(archive);
    check();
}

PassportReader::PassportReader(std::string_view bytes, std::string shownName, const PassportLimits& limits)
    : m_shownName(std::move(shownName)), m_limits(limits), m_archiveBytes(bytes.size())
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (archive == nullptr) {
        if (source)
            zip_source_free(source);
        refuse(sayMessage(SHOWN_TEXT("it cannot be read as a zip archive (%1)"), {zipErrorText(zip_error_code_zip(&error))}));
        zip_error_fini(&error);
        return;
    }
    zip_error_fini(&error);
    m_archive.reset(archive);
    check();
}

PassportReader::~PassportReader() = default;

bool PassportReader::refuse(std::string_view why)
{
    m_problem = importRefusal(m_shownName, why);
    return false;
}

void PassportReader::check()
{
    std::uint64_t manifestIndex = 0;
    std::uint64_t treeIndex = 0;
    if (!checkDirectory(manifestIndex, treeIndex))
        return;
    std::string bytes;
    if (!readWhole(manifestIndex, kMaxManifestBytes, bytes))
        return;
    ManifestReading reading = readManifest(bytes);
    if (!reading.manifest) {
        refuse(reading.problem);
        return;
    }
    m_manifest = std::move(*reading.manifest);
    if (!readWhole(treeIndex, kMaxTreeBytes, bytes))
        return;
    collection::EntryList entries;
    std::string reason;
    if (!collection::readCollection(bytes, entries, reason)) {
        refuse(sayMessage(SHOWN_TEXT("its %1 is not a valid collection (%2)"), {std::string(kTreeFileName), reason}));
        return;
    }
    if (entries.size() != 1) {
        refuse(sayMessage(SHOWN_TEXT("its %1 holds %2 entries, not one"),
                          {std::string(kTreeFileName), std::to_string(entries.size())}));
        return;
    }
    m_entry = collection::copyEntry(*entries.front());
    if (!checkPictureNames())
        m_entry.reset();
}

bool PassportReader::checkDirectory(std::uint64_t& manifestIndex, std::uint64_t& treeIndex)
{
    const zip_int64_t count = zip_get_num_entries(m_archive.get(), 0);
    if (count < 0 || static_cast<std::uint64_t>(count) > m_limits.maxFiles)
        return refuse(sayMessage(SHOWN_TEXT("it holds more than %1 files"), {std::to_string(m_limits.maxFiles)}));
    constexpr std::uint64_t kNone = ~std::uint64_t{0};
    manifestIndex = treeIndex = kNone;
    std::set<std::string, std::less<>> seen;
    std::uint64_t declared = 0;
    for (zip_uint64_t index = 0; index < static_cast<zip_uint64_t>(count); ++index) {
        const char* name = zip_get_name(m_archive.get(), index, ZIP_FL_ENC_RAW);
        zip_stat_t facts;
        zip_stat_init(&facts);
        if (name == nullptr || zip_stat_index(m_archive.get(), index, ZIP_FL_ENC_RAW, &facts) != 0)
            return refuse(sayMessage(SHOWN_TEXT("its directory cannot be read (%1)"), {zip_strerror(m_archive.get())}));
        const std::string_view raw(name);
        if (!checkEntryName(index, raw, manifestIndex, treeIndex))
            return false;
        if (!seen.emplace(raw).second)
            return refuse(sayMessage(SHOWN_TEXT("it holds %1 twice"), {quotedName(raw)}));
        const bool encrypted = (facts.valid & ZIP_STAT_ENCRYPTION_METHOD) && facts.encryption_method != ZIP_EM_NONE;
        if (!checkEntryKind(index, raw, encrypted))
            return false;
        if ((facts.valid & ZIP_STAT_SIZE) && !checkClaimedSize(raw, facts.size, declared))
            return false;
    }
    if (manifestIndex == kNone)
        return refuse(sayMessage(SHOWN_TEXT("it has no %1"), {std::string(kManifestName)}));
    if (treeIndex == kNone)
        return refuse(sayMessage(SHOWN_TEXT("it has no %1"), {std::string(kTreeFileName)}));
    return true;
}

bool PassportReader::checkEntryKind(std::uint64_t index, std::string_view rawName, bool encrypted)
{
    if (encrypted)
        return refuse(sayMessage(SHOWN_TEXT("%1 is encrypted"), {quotedName(rawName)}));
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(m_archive.get(), index, 0, &system, &attributes) != 0)
        return refuse(sayMessage(SHOWN_TEXT("its directory cannot be read (%1)"), {zip_strerror(m_archive.get())}));
    const auto mode = static_cast<mode_t>(attributes >> 16);
    if (system == ZIP_OPSYS_UNIX && S_ISLNK(mode))
        return refuse(sayMessage(SHOWN_TEXT("%1 is a link, not a file"), {quotedName(rawName)}));
    if ((system == ZIP_OPSYS_UNIX && (mode & S_IFMT) != 0 && !S_ISREG(mode)) || (attributes & kDosFolder))
        return refuse(sayMessage(SHOWN_TEXT("%1 is not a plain file"), {quotedName(rawName)}));
    return true;
}

// What the directory claims is not trusted, but a claim past a limit is refused before
// anything is inflated.
bool PassportReader::checkClaimedSize(std::string_view rawName, std::uint64_t size, std::uint64_t& declared)
{
    if (size > m_limits.maxFileBytes)
        return refuse(sayMessage(SHOWN_TEXT("%1 inflates to more than %2"), {quotedName(rawName), describeBytes(m_limits.maxFileBytes)}));
    if (size > m_limits.maxTotalBytes - declared)
        return refuse(sayMessage(SHOWN_TEXT("its files inflate to more than %1 in all"), {describeBytes(m_limits.maxTotalBytes)}));
    declared += size;
    return true;
}

bool PassportReader::checkEntryName(std::uint64_t index, std::string_view rawName, std::uint64_t& manifestIndex,
                                    std::uint64_t& treeIndex)
{
    if (rawName.empty())
        return refuse(sayMessage(SHOWN_TEXT("it holds a file without a name")));
    if (rawName.front() == '/')
        return refuse(sayMessage(SHOWN_TEXT("it holds %1, an absolute name"), {quotedName(rawName)}));
    if (rawName.find('\\') != std::string_view::npos)
        return refuse(sayMessage(SHOWN_TEXT("it holds %1, a name with a backslash"), {quotedName(rawName)}));
    if (hasParentPart(rawName))
        return refuse(sayMessage(SHOWN_TEXT("it holds %1, a name that leads out of the passport"), {quotedName(rawName)}));
    const auto name = text::utf8ToCp1252Strict(rawName);
    if (!name)
        return refuse(sayMessage(SHOWN_TEXT("it holds %1, a name that is not Windows-1252 text in UTF-8"), {quotedName(rawName)}));
    if (rawName == kManifestName) {
        manifestIndex = index;
        return true;
    }
    if (rawName == kTreeFileName) {
        treeIndex = index;
        return true;
    }
    for (const PictureFolder folder : {PictureFolder::Album, PictureFolder::Photos}) {
        const std::string_view prefix = archiveFolder(folder);
        if (name->starts_with(prefix) && timeline::isBareFileName(std::string_view(*name).substr(prefix.size()))) {
            m_pictures.push_back({{folder, name->substr(prefix.size())}, index});
            return true;
        }
    }
    return refuse(sayMessage(SHOWN_TEXT("it holds %1, which is not part of a tree passport"), {quotedName(rawName)}));
}

bool PassportReader::checkPictureNames()
{
    const std::vector<PictureName> named = picturesNamedBy(*m_entry);
    const std::set<PictureName> namedSet(named.begin(), named.end());
    std::set<PictureName> held;
    for (const HeldPicture& picture : m_pictures) {
        if (!namedSet.count(picture.name))
            return refuse(sayMessage(SHOWN_TEXT("it holds %1, which its tree does not name"), {quotedName(archiveName(picture.name))}));
        held.insert(picture.name);
    }
    const std::set<std::string, std::less<>> leftOut(m_manifest.leftOut.begin(), m_manifest.leftOut.end());
    for (const PictureName& picture : named) {
        const std::string name = archiveName(picture);
        if (!held.count(picture) && !leftOut.count(name))
            return refuse(sayMessage(SHOWN_TEXT("its tree names %1, which it does not hold"), {quotedName(name)}));
    }
    return true;
}

bool PassportReader::readWhole(std::uint64_t index, std::uint64_t most, std::string& bytes)
{
    bytes.clear();
    return readMember(index, most, [&bytes](std::string_view piece) {
        bytes += piece;
        return std::string();
    });
}

bool PassportReader::readPicture(const HeldPicture& picture, const std::function<std::string(std::string_view)>& take)
{
    return m_problem.empty() && readMember(picture.index, m_limits.maxFileBytes, take);
}

bool PassportReader::readMember(std::uint64_t index, std::uint64_t most,
                                const std::function<std::string(std::string_view)>& take)
{
    most = std::min(most, m_limits.maxFileBytes);
    const std::string name = quotedName(zip_get_name(m_archive.get(), index, ZIP_FL_ENC_RAW));
    const std::unique_ptr<zip_file_t, ZipFileClose> file(zip_fopen_index(m_archive.get(), index, 0));
    if (!file)
        return refuse(sayMessage(SHOWN_TEXT("%1 cannot be read (%2)"), {name, zip_strerror(m_archive.get())}));
    std::vector<char> piece(kPieceBytes);
    std::uint64_t inflated = 0;
    const std::uint64_t ratio = std::max<std::uint64_t>(m_limits.maxRatio, 1);
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), piece.data(), piece.size());
        if (got < 0)
            return refuse(sayMessage(SHOWN_TEXT("%1 cannot be read (%2)"), {name, zip_file_strerror(file.get())}));
        if (got == 0)
            return true;
        inflated += static_cast<std::uint64_t>(got);
        m_inflated += static_cast<std::uint64_t>(got);
        if (inflated > most)
            return refuse(sayMessage(SHOWN_TEXT("%1 inflates to more than %2"), {name, describeBytes(most)}));
        if (m_inflated > m_limits.maxTotalBytes)
            return refuse(sayMessage(SHOWN_TEXT("its files inflate to more than %1 in all"), {describeBytes(m_limits.maxTotalBytes)}));
        if (m_inflated > m_limits.ratioFreeBytes && m_inflated / ratio > m_archiveBytes)
            return refuse(sayMessage(SHOWN_TEXT("its files inflate to more than %1 times its own size"), {std::to_string(ratio)}));
        if (const std::string why = take(std::string_view(piece.data(), static_cast<std::size_t>(got))); !why.empty())
            return refuse(why);
    }
}

} // namespace talvane::passport
