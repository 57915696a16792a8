// A tree's passport with 200 photos of 5 MB: the export and the import (with the save of
// the receiving collection) against zip -0 and unzip of the same photos, in the same run.
// The passport's writes are flushed to disk and zip's and unzip's are not, so each peer
// is timed a second time followed by sync -f, the flush they leave to the system.
//   build/bin/bench_passport [PHOTOS] [MEGABYTES]
#include "Measures.h"

#include "core/collection/CollectionFile.h"
#include "core/journal/Journal.h"
#include "core/passport/PassportExport.h"
#include "core/passport/PassportImport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

using namespace talvane::collection;

namespace {

using namespace talvane::passport;
using talvane::journal::CalendarDate;
using talvane::journal::CareKind;
using talvane::journal::Journal;

// Random bytes behind a JPEG's first marker: stored as they are, as a camera's are.
void writePhoto(const std::filesystem::path& path, std::size_t bytes, std::mt19937_64& random)
{
    std::string photo = "\xFF\xD8\xFF\xE0";
    photo.resize(bytes);
    for (std::size_t i = 4; i + 8 <= bytes; i += 8) {
        const std::uint64_t value = random();
        std::memcpy(photo.data() + i, &value, 8);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(photo.data(), 1, photo.size(), file) != photo.size() || std::fclose(file) != 0)
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
}

EntryList treeWithPhotos(const std::filesystem::path& photos, int count, std::size_t bytes)
{
    std::mt19937_64 random(42);
    std::filesystem::create_directories(photos);
    Journal journal = Journal::read("");
    const CalendarDate first = *CalendarDate::fromText("2020-01-01");
    for (int i = 0; i < count; ++i) {
        const CalendarDate day = first.plusDays(i * 7);
        const std::string name = day.text() + " Oak.jpg";
        writePhoto(photos / name, bytes, random);
        journal.add({day, CareKind::Photo, std::nullopt, "Photos/" + name, "week " + std::to_string(i), {}, {}, {}});
    }
    EntryList entries;
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries[0])[CBonsaiData::Name] = "Oak";
    (*entries[0])[talvane::journal::kJournalField] = journal.text();
    return entries;
}

void run(const std::string& command)
{
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "failed: %s\n", command.c_str());
}

void report(const char* what, double ours, double peer, double peerFlushed)
{
    std::printf("%-7s Talvane %7.2f s   peer %7.2f s (%.2fx)   peer + sync -f %7.2f s (%.2fx)\n", what, ours, peer,
                ours / peer, peerFlushed, ours / peerFlushed);
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 200;
    const std::size_t megabytes = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 5;
    std::string pattern = (std::filesystem::temp_directory_path() / "talvane-passport-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::fprintf(stderr, "cannot make a folder in %s\n", std::filesystem::temp_directory_path().c_str());
        return 1;
    }
    const std::filesystem::path folder = pattern;
    const auto giver = folder / "giver";
    const auto receiver = folder / "receiver";
    const EntryList tree = treeWithPhotos(giver / "Photos", count, megabytes << 20);
    std::filesystem::create_directories(receiver);
    const auto passport = folder / "Oak.tvp";
    const std::string in = "cd '" + giver.string() + "' && ";

    run("sync -f '" + folder.string() + "'");
    const double exported = seconds([&] {
        const PassportExport request{giver / "trees.tvn", giver / "Album", giver / "Photos", "Anna", {}, passport};
        if (const auto result = exportPassport(tree, 0, request); !result.problem.empty())
            std::fprintf(stderr, "%s\n", result.problem.c_str());
    });
    const double zipped = seconds([&] { run(in + "zip -0 -q -r ../peer.zip Photos"); });
    std::filesystem::remove(folder / "peer.zip");
    run("sync -f '" + folder.string() + "'");
    const double zippedFlushed = seconds([&] { run(in + "zip -0 -q -r ../peer.zip Photos && sync -f ../peer.zip"); });

    run("sync -f '" + folder.string() + "'");
    const double imported = seconds([&] {
        EntryList entries;
        ImportedTree result = importPassport({passport, receiver / "Album", receiver / "Photos", CalendarDate::today(), {}}, entries);
        if (!result.problem.empty()) {
            std::fprintf(stderr, "%s\n", result.problem.c_str());
            return;
        }
        entries.push_back(std::move(result.entry));
        if (const auto failure = saveCollectionFile(receiver / "own.tvn", entries))
            std::fprintf(stderr, "%s\n", failure->c_str());
        result.placed.commit();
    });
    const double unzipped = seconds([&] { run("unzip -q '" + (folder / "peer.zip").string() + "' -d '" + (folder / "peer").string() + "'"); });
    std::filesystem::remove_all(folder / "peer");
    run("sync -f '" + folder.string() + "'");
    const double unzippedFlushed = seconds([&] {
        run("unzip -q '" + (folder / "peer.zip").string() + "' -d '" + (folder / "peer").string() + "' && sync -f '" +
            (folder / "peer").string() + "'");
    });

    std::printf("%d photos of %zu MB, passport %.0f MB\n", count, megabytes,
                static_cast<double>(std::filesystem::file_size(passport)) / 1e6);
    report("export", exported, zipped, zippedFlushed);
    report("import", imported, unzipped, unzippedFlushed);
    std::filesystem::remove_all(folder);
    return 0;
}
