#include "Commands.h"

#include "core/collection/CollectionFile.h"
#include "core/collection/TreeIdentity.h"
#include "core/timeline/PictureFolders.h"

using namespace talvane::collection;

EntryList loadCollectionOrFail(const std::string& file)
{
    EntryList entries;
    if (const auto failure = loadCollectionFile(file, entries))
        throw CliFailure(file + ": " + *failure);
    return entries;
}

const CBonsaiData& entryOrFail(const std::string& file, const EntryList& entries, long long position)
{
    if (position < 0 || static_cast<unsigned long long>(position) >= entries.size())
        throw CliFailure(file + ": there is no entry " + std::to_string(position) + " (the collection has " +
                         std::to_string(entries.size()) + ", counted from 0)");
    return *entries[static_cast<std::size_t>(position)];
}

talvane::timeline::PictureFolders pictureFoldersOf(const std::string& file, const EntryList& entries)
{
    return talvane::timeline::findPictureFolders(talvane::timeline::collectionHome(file),
                                                 std::filesystem::current_path(), entries);
}

std::string treeIdGivenIfMissing(EntryList& entries, std::size_t position)
{
    std::string id(treeIdAt(entries, position));
    if (id.empty() && mayGiveTreeId(entries, position)) {
        id = newTreeId();
        (*entries[position])[kTreeIdField] = id;
    }
    return id;
}
