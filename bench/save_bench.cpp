// Saves a large collection over its file with and without keeping the replaced file
// among its earlier versions: what keeping a version adds to a save.
#include "SampleEntries.h"
#include "Measures.h"
#include "collection/CollectionFile.h"
#include "collection/VersionStore.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int kRuns = 5;

void Save(const std::filesystem::path& path, const EntryList& entries, bool keepVersion)
{
    if (const auto saved = SaveCollectionFile(path, entries, {.keepVersion = keepVersion}))
        std::fprintf(stderr, "save failed: %s\n", saved.reason.c_str());
}

double SaveSeconds(const std::filesystem::path& path, const EntryList& entries, bool keepVersion)
{
    return Seconds([&] { Save(path, entries, keepVersion); }, kRuns);
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10000;
    std::string pattern = (std::filesystem::temp_directory_path() / "talvane-save-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::fprintf(stderr, "cannot make a folder in %s\n", std::filesystem::temp_directory_path().c_str());
        return 1;
    }
    const std::filesystem::path folder = pattern;
    const auto path = folder / "bench.tvn";
    const EntryList entries = SampleCollection(count);
    // Saves enough versions that every measured one also prunes the oldest, whose
    // blocks are then freed as the plain save frees those of the file it replaces.
    for (int i = 0; i < 12; ++i)
        Save(path, entries, true);

    const double plain = SaveSeconds(path, entries, false);
    const double versioned = SaveSeconds(path, entries, true);
    std::printf("%zu trees, %.1f MB file\n", count, std::filesystem::file_size(path) / 1e6);
    std::printf("save                 %8.2f ms\n", plain * 1e3);
    std::printf("save keeping version %8.2f ms  (%zu versions kept)\n", versioned * 1e3, ListVersions(path).size());
    std::printf("difference           %+8.2f ms  (%+.1f %%)\n", (versioned - plain) * 1e3,
                (versioned - plain) / plain * 100);
    std::filesystem::remove_all(folder);
    return 0;
}
