// Imports a large collection's CSV table with talvane-cli, as a user runs it: every tree
// keeps a journal of twenty events. Prints the time the command takes and the most memory
// it held, against the size of the collection it writes.
//   build/bin/bench_import [TREES]   (100000 when not given)
#include "SampleEntries.h"
#include "core/collection/SafeFile.h"
#include "core/csv/CollectionCsv.h"
#include "core/journal/Journal.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace talvane::collection;

namespace {

// Writes the table in a child process: the command's process is forked from this one,
// and a large parent would count in the peak memory the child reports.
bool writeSampleTable(const std::filesystem::path& csvFile, std::size_t count)
{
    const pid_t child = ::fork();
    if (child == 0) {
        EntryList entries = sampleCollection(count);
        for (std::size_t n = 0; n < count; ++n)
            (*entries[n])[talvane::journal::kJournalField] = sampleJournal(n);
        ::_exit(replaceFile(csvFile, talvane::csv::collectionToCsv(entries)) ? 1 : 0);
    }
    int status = 1;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct CommandRun {
    bool succeeded = false;
    double seconds = 0;
    long peakKilobytes = 0;
};

CommandRun runCommand(const std::filesystem::path& program, const std::filesystem::path& csvFile,
                      const std::filesystem::path& tvnFile)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl(program.c_str(), program.c_str(), "import", csvFile.c_str(), tvnFile.c_str(), nullptr);
        std::perror("cannot run talvane-cli");
        ::_exit(127);
    }
    int status = 1;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    CommandRun run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.peakKilobytes = usage.ru_maxrss;
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const auto program = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "talvane-cli";
    std::string pattern = (std::filesystem::temp_directory_path() / "talvane-import-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::perror("cannot make a temporary folder");
        return 1;
    }
    const std::filesystem::path folder = pattern;
    const auto csvFile = folder / "trees.csv";
    const auto tvnFile = folder / "trees.tvn";
    int result = 1;
    if (!writeSampleTable(csvFile, count)) {
        std::fprintf(stderr, "cannot write the table %s\n", csvFile.c_str());
    } else if (const CommandRun run = runCommand(program, csvFile, tvnFile); !run.succeeded) {
        std::fprintf(stderr, "%s import failed\n", program.c_str());
    } else {
        std::printf("import of %zu trees: %.2f s, peak resident %.0f MB for a collection of %.0f MB (table %.0f MB)\n",
                    count, run.seconds, run.peakKilobytes / 1024.0, std::filesystem::file_size(tvnFile) / 1048576.0,
                    std::filesystem::file_size(csvFile) / 1048576.0);
        result = 0;
    }
    std::filesystem::remove_all(folder);
    return result;
}
