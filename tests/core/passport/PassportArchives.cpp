#include "PassportArchives.h"

#include "core/collection/CollectionArchive.h"
#include "support/core/TempDir.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <sys/stat.h>

using namespace talvane::collection;

namespace {

std::uint16_t word(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::uint32_t dword(const std::string& bytes, std::size_t at)
{
    return word(bytes, at) | std::uint32_t{word(bytes, at + 2)} << 16;
}

void putDword(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// Calls patch(central, local) with the offsets of the two headers of the named file.
template <typename Patch>
std::string patchHeaders(std::string bytes, std::string_view name, Patch patch)
{
    bool found = false;
    for (std::size_t at = bytes.find("PK\x01\x02"); at != std::string::npos; at = bytes.find("PK\x01\x02", at + 4)) {
        const std::size_t nameLength = word(bytes, at + 28);
        if (std::string_view(bytes).substr(at + 46, nameLength) != name)
            continue;
        patch(bytes, at, dword(bytes, at + 42));
        found = true;
    }
    if (!found)
        throw std::invalid_argument("no such file in the archive");
    return bytes;
}

} // namespace

std::string zipBytes(const std::vector<ArchiveFile>& files)
{
    TempDir dir;
    const auto path = dir / "made.zip";
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr)
        throw std::runtime_error("libzip cannot make an archive");
    for (const ArchiveFile& file : files) {
        zip_source_t* source = zip_source_buffer(archive, file.bytes.data(), file.bytes.size(), 0);
        const zip_int64_t index = zip_file_add(archive, file.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0)
            throw std::runtime_error(std::string("libzip refuses ") + file.name + ": " + zip_strerror(archive));
        const auto at = static_cast<zip_uint64_t>(index);
        zip_set_file_compression(archive, at, file.deflated ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0);
        zip_file_set_external_attributes(archive, at, 0, ZIP_OPSYS_UNIX, file.unixMode.value_or(S_IFREG | 0644) << 16);
    }
    if (zip_close(archive) != 0)
        throw std::runtime_error(std::string("libzip cannot write the archive: ") + zip_strerror(archive));
    return readFileBytes(path);
}

std::string patched(std::string bytes, std::string_view from, std::string_view to)
{
    if (from.size() != to.size())
        throw std::invalid_argument("a patch keeps the length");
    for (std::size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + to.size()))
        bytes.replace(at, from.size(), to);
    return bytes;
}

std::string markedEncrypted(std::string bytes, std::string_view name)
{
    return patchHeaders(std::move(bytes), name, [](std::string& archive, std::size_t central, std::size_t local) {
        archive[central + 8] = static_cast<char>(archive[central + 8] | 1);
        archive[local + 6] = static_cast<char>(archive[local + 6] | 1);
    });
}

std::string withClaimedSize(std::string bytes, std::string_view name, std::uint32_t size)
{
    return patchHeaders(std::move(bytes), name, [size](std::string& archive, std::size_t central, std::size_t local) {
        putDword(archive, central + 24, size);
        putDword(archive, local + 22, size);
    });
}

std::string archiveMember(const std::filesystem::path& archivePath, std::string_view name)
{
    int error = 0;
    zip_t* archive = zip_open(archivePath.c_str(), ZIP_RDONLY, &error);
    if (archive == nullptr)
        return {};
    std::string bytes;
    if (zip_file_t* file = zip_fopen(archive, std::string(name).c_str(), 0)) {
        char piece[1 << 16];
        for (zip_int64_t got; (got = zip_fread(file, piece, sizeof piece)) > 0;)
            bytes.append(piece, static_cast<std::size_t>(got));
        zip_fclose(file);
    }
    zip_discard(archive);
    return bytes;
}

std::vector<std::string> archiveListing(const std::filesystem::path& archivePath)
{
    int error = 0;
    zip_t* archive = zip_open(archivePath.c_str(), ZIP_RDONLY, &error);
    std::vector<std::string> listing;
    if (archive == nullptr)
        return listing;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t facts;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &facts);
        listing.push_back(std::string(facts.name) + (facts.comp_method == ZIP_CM_STORE ? " stored" : " deflated"));
    }
    zip_discard(archive);
    return listing;
}

std::string oneTreeCollection(const CBonsaiData& entry)
{
    EntryList entries;
    entries.push_back(copyEntry(entry));
    return writeCollection(entries);
}

std::vector<std::pair<std::string, std::string>> folderContents(const std::filesystem::path& folder)
{
    std::vector<std::pair<std::string, std::string>> contents;
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string name = item.path().lexically_relative(folder).string();
        contents.emplace_back(name, item.is_regular_file() ? readFileBytes(item.path()) : std::string("<folder>"));
    }
    std::sort(contents.begin(), contents.end());
    return contents;
}
