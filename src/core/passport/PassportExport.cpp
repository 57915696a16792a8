#include "core/passport/PassportExport.h"

#include "core/collection/SafeFile.h"
#include "core/collection/TreeIdentity.h"
#include "core/passport/PassportLayout.h"
#include "core/passport/PassportManifest.h"
#include "core/passport/PassportWriter.h"
#include "core/text/Windows1252.h"
#include "core/timeline/TimelinePhoto.h"
#include "core/text/Words.h"

#include <stdexcept>
#include <utility>

namespace talvane::passport {

namespace {

// Each picture's name in the passport, with its file.
using PassportFiles = std::vector<std::pair<std::string, std::filesystem::path>>;

// The pictures the entry names that are still in their folders; the others are left out.
PassportFiles picturesToWrite(const CBonsaiData& entry, const PassportExport& request, std::vector<std::string>& leftOut)
{
    PassportFiles files;
    for (const PictureName& picture : picturesNamedBy(entry)) {
        const auto& folder = picture.folder == PictureFolder::Photos ? request.photosFolder : request.albumFolder;
        const auto path = folder / text::cp1252ToUtf8(picture.name);
        std::error_code error;
        if (timeline::isBareFileName(picture.name) && std::filesystem::is_regular_file(path, error))
            files.emplace_back(archiveName(picture), path);
        else
            leftOut.push_back(archiveName(picture));
    }
    return files;
}

std::string cannotWrite(const PassportExport& request, const std::string& why)
{
    return text::sayMessage(SHOWN_TEXT("cannot write %1: %2"), {request.target.filename().string(), why});
}

// Writes the passport's file; the problem, or empty.
std::string writePassport(const PassportExport& request, const PassportManifest& manifest, std::string treeBytes,
                          const PassportFiles& files)
{
    const std::time_t modified = std::chrono::system_clock::to_time_t(request.exportedAt);
    PassportWriter writer(request.target);
    bool written = writer.addText(kManifestName, manifestText(manifest), modified) &&
                   writer.addText(kTreeFileName, std::move(treeBytes), modified);
    for (const auto& [name, path] : files)
        written = written && writer.addFile(name, path);
    if (!written || !writer.commit())
        return cannotWrite(request, writer.problem());
    return {};
}

} // namespace

ExportedPassport exportPassport(const collection::EntryList& entries, std::size_t position, const PassportExport& request)
{
    const CBonsaiData& entry = *entries.at(position);
    ExportedPassport exported;
    const PassportFiles files = picturesToWrite(entry, request, exported.leftOut);
    const PassportManifest manifest{text::cp1252ToUtf8(entry[CBonsaiData::Name]),
                                    std::string(collection::treeIdAt(entries, position)),
                                    utcTimestamp(request.exportedAt),
                                    request.collectionFile.filename().string(),
                                    text::cp1252ToUtf8(request.giver),
                                    exported.leftOut};
    if (collection::resolveLinks(request.target) == collection::resolveLinks(request.collectionFile)) {
        exported.problem = cannotWrite(request, text::sayMessage(SHOWN_TEXT("it is the collection itself")));
        return exported;
    }
    collection::EntryList tree;
    tree.push_back(collection::copyEntry(entry));
    std::string treeBytes;
    try {
        treeBytes = collection::writeCollection(tree);
    } catch (const std::length_error& e) {
        exported.problem = cannotWrite(request, e.what());
        return exported;
    }
    exported.problem = writePassport(request, manifest, std::move(treeBytes), files);
    return exported;
}

} // namespace talvane::passport
