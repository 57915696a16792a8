#include "core/collection/OutputFile.h"

#include "core/collection/CollectionFile.h"
#include "core/collection/SafeFile.h"

#include <sys/stat.h>

namespace talvane::collection {

namespace {

std::optional<struct stat> statusOf(const std::filesystem::path& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return status;
}

// Read as the window reads it: a file it would open is a collection, whatever its name.
bool readsAsCollection(const std::filesystem::path& file)
{
    EntryList entries;
    return !loadCollectionFile(file, entries);
}

std::optional<OutputRefusal> ownInputRefusal(const std::filesystem::path& output,
                                             const std::vector<std::filesystem::path>& inputs)
{
    for (const auto& input : inputs)
        if (isSameFile(output, input))
            return OutputRefusal{OutputRefusal::Reason::OwnInput, input, {}};
    return std::nullopt;
}

} // namespace

bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    const auto first = statusOf(a);
    const auto second = statusOf(b);
    if (first && second)
        return first->st_dev == second->st_dev && first->st_ino == second->st_ino;
    return !first && !second && resolveLinks(a) == resolveLinks(b);
}

std::optional<OutputRefusal> refuseToOverwrite(const std::filesystem::path& output,
                                               const std::vector<std::filesystem::path>& inputs, OutputKind kind)
{
    // A collection writer takes the collection's lock itself, and says who holds it.
    if (kind == OutputKind::Collection)
        return ownInputRefusal(output, inputs);
    if (readsAsCollection(output))
        return OutputRefusal{OutputRefusal::Reason::Collection, {}, {}};
    if (auto refusal = ownInputRefusal(output, inputs))
        return refusal;
    if (auto holder = liveLockHolder(output))
        return OutputRefusal{OutputRefusal::Reason::Locked, {}, std::move(*holder)};
    return std::nullopt;
}

} // namespace talvane::collection
