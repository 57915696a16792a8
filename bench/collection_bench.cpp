// Writes and reads a large collection and compares the load with a plain read of
// the same file into memory.
#include "SampleEntries.h"
#include "Measures.h"
#include "core/collection/CollectionFile.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace talvane::collection;

namespace {

constexpr int kRuns = 3;

std::string plainRead(const std::filesystem::path& path)
{
    std::string bytes(std::filesystem::file_size(path), '\0');
    const int fd = ::open(path.c_str(), O_RDONLY);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const EntryList entries = sampleCollection(count);
    const auto path = std::filesystem::temp_directory_path() / "talvane-bench.tvn";

    const double save = seconds([&] {
        if (const auto saved = saveCollectionFile(path, entries, {.keepVersion = false}))
            std::fprintf(stderr, "save failed: %s\n", saved.reason.c_str());
    }, kRuns);
    const double plain = seconds([&] { plainRead(path); }, kRuns);
    std::size_t loaded = 0;
    const double load = seconds([&] {
        EntryList read;
        if (const auto failure = loadCollectionFile(path, read))
            std::fprintf(stderr, "load failed: %s\n", failure->c_str());
        loaded = read.size();
    }, kRuns);

    const auto bytes = std::filesystem::file_size(path);
    std::printf("%zu entries, %.1f MB file\n", count, bytes / 1e6);
    std::printf("save        %8.3f s  %10.0f entries/s\n", save, count / save);
    std::printf("load        %8.3f s  %10.0f entries/s  (%zu read)\n", load, count / load, loaded);
    std::printf("plain read  %8.3f s\n", plain);
    std::printf("load / plain read = %.1f\n", load / plain);
    std::filesystem::remove(path);
    return 0;
}
