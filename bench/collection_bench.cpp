// Writes and reads a large collection and compares the load with a plain read of
// the same file into memory.
#include "collection/CollectionFile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

const char* const kSpecies[] = {"Acer palmatum", "Juniperus chinensis", "Pinus thunbergii", "Ulmus parvifolia",
                                "Ficus retusa", "Rhododendron indicum", "Olea europaea", "Zelkova serrata"};

// Texts of the lengths a grower writes: short measures, sentences of notes.
void FillEntry(CBonsaiData& entry, std::size_t n)
{
    const std::string species = kSpecies[n % std::size(kSpecies)];
    entry[CBonsaiData::Name] = "Tree " + std::to_string(n);
    entry[CBonsaiData::BotanicalName] = species;
    entry[CBonsaiData::EnglishName] = "Japanese maple";
    entry[CBonsaiData::PlantNotes] = "Bought as a nursery plant; strong nebari, one weak branch on the left.";
    entry[CBonsaiData::IntExt] = std::to_string(n % 2);
    entry[CBonsaiData::PurchaseAge] = "12 years";
    entry[CBonsaiData::PurchaseDate] = "14/04/2019";
    entry[CBonsaiData::PurchaseStyle] = "Moyogi";
    entry[CBonsaiData::PricePaid] = "85 EUR";
    entry[CBonsaiData::History] = "Repotted into a shallower pot in spring; first wiring of the primary branches "
                                  "in autumn, removed after eight weeks.\r\nApex replaced by a side shoot.";
    entry[CBonsaiData::Fertilization] = "Organic pellets every four weeks from April to September.";
    entry[CBonsaiData::MaintenanceNotes] = "Watch for aphids on new growth in May.";
    entry[CBonsaiData::NeedWatering] = "Keep the soil evenly moist; never let the root ball dry out.";
    entry[CBonsaiData::NeedPosition] = "Half shade in summer, full sun in spring and autumn.";
    entry[CBonsaiData::NeedSoil] = "Akadama 70%, pumice 30%.";
    entry[CBonsaiData::Photo1] = "tree" + std::to_string(n) + "a.bmp";
    entry[CBonsaiData::Photo1Description] = "Spring " + std::to_string(2020 + n % 5);
}

double Seconds(const std::function<void()>& work, int repeats = 3)
{
    double best = 1e9;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

std::string PlainRead(const std::filesystem::path& path)
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
    EntryList entries;
    for (std::size_t n = 0; n < count; ++n) {
        entries.push_back(std::make_unique<CBonsaiData>());
        FillEntry(*entries.back(), n);
    }
    const auto path = std::filesystem::temp_directory_path() / "talvane-bench.tvn";

    const double save = Seconds([&] {
        if (const auto failure = SaveCollectionFile(path, entries))
            std::fprintf(stderr, "save failed: %s\n", failure->c_str());
    });
    const double plain = Seconds([&] { PlainRead(path); });
    std::size_t loaded = 0;
    const double load = Seconds([&] {
        EntryList read;
        if (const auto failure = LoadCollectionFile(path, read))
            std::fprintf(stderr, "load failed: %s\n", failure->c_str());
        loaded = read.size();
    });

    const auto bytes = std::filesystem::file_size(path);
    std::printf("%zu entries, %.1f MB file\n", count, bytes / 1e6);
    std::printf("save        %8.3f s  %10.0f entries/s\n", save, count / save);
    std::printf("load        %8.3f s  %10.0f entries/s  (%zu read)\n", load, count / load, loaded);
    std::printf("plain read  %8.3f s\n", plain);
    std::printf("load / plain read = %.1f\n", load / plain);
    std::filesystem::remove(path);
    return 0;
}
