// Every way a collection is written, run once for each step it takes on disk (each
// write, flush, rename, link, truncation and removal), with that one step failing or
// the writer stopped there as by a kill, in a child process. After each, opening the
// collection must give the old collection or the new one, and nothing may be left
// that a later open would misread.

#include "core/collection/CollectionFile.h"
#include "core/collection/CollectionLock.h"
#include "core/collection/DiskSteps.h"
#include "core/collection/InPlaceSave.h"
#include "core/collection/RecoveryStore.h"
#include "core/collection/TreeIdentity.h"
#include "core/collection/VersionStore.h"
#include "core/companion/FileCollectionHost.h"
#include "core/csv/CollectionCsv.h"
#include "core/csv/CsvFiles.h"
#include "core/journal/CareEvent.h"
#include "core/passport/PassportExport.h"
#include "core/passport/PassportImport.h"

#include "support/core/TempDir.h"

#include <fstream>
#include <functional>
#include <iostream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace talvane::collection;
using namespace talvane::csv;

namespace {

const std::string kName = "trees.tvn";

EntryList trees(std::size_t count, const std::string& tag)
{
    EntryList entries;
    for (std::size_t i = 0; i < count; ++i) {
        entries.push_back(std::make_unique<CBonsaiData>());
        auto& entry = *entries.back();
        entry[CBonsaiData::Name] = tag + " tree " + std::to_string(i);
        entry[CBonsaiData::History] = std::string(2000 + 100 * i, 'h') + tag;
        entry[kTreeIdField] = "0f8fad5b-d9cb-469f-a165-7086772895" + std::to_string(10 + i);
    }
    return entries;
}

std::string bytes(const EntryList& entries)
{
    return writeCollection(entries);
}

// The child's exit statuses besides a stop.
constexpr int kNotReached = 0;
constexpr int kReportedSuccess = 10;
constexpr int kReportedFailure = 11;

// One way of writing. `prepare` makes the old state in the parent; `write` runs in the
// child, calls `arm` where the steps start to count, and says whether it succeeded.
// `opened` gives what a program opening the result sees, as collection bytes, or
// nothing when it sees none; `before` what it sees when the writer did nothing, when
// that is not what it sees after `prepare`.
struct Writer {
    std::string name;
    std::function<void(const TempDir&)> prepare;
    std::function<bool(const TempDir&, const std::function<void()>& arm)> write;
    std::function<std::optional<std::string>(const TempDir&)> opened;
    std::function<std::string()> before = {};
};

std::optional<std::string> openedCollection(const TempDir& dir)
{
    EntryList entries;
    if (loadCollectionFile(dir / kName, entries))
        return std::nullopt;
    return bytes(entries);
}

// What the writer gives when nothing goes wrong.
std::string undisturbed(const Writer& writer)
{
    TempDir dir;
    writer.prepare(dir);
    EXPECT_TRUE(writer.write(dir, [] {})) << writer.name;
    return writer.opened(dir).value_or("(nothing)");
}

// Runs the writer in a child whose step `at` fails or stops; gives the child's status.
int runFaulted(const Writer& writer, const TempDir& dir, int at, DiskStepOutcome fault)
{
    const pid_t child = ::fork();
    if (child == 0) {
        int steps = 0;
        bool reached = false;
        const bool succeeded = writer.write(dir, [&] {
            setDiskStepHook([&, at, fault](DiskStep) {
                if (++steps != at)
                    return DiskStepOutcome::Go;
                reached = true;
                return fault;
            });
        });
        ::_exit(!reached ? kNotReached : succeeded ? kReportedSuccess : kReportedFailure);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Names in the folder, the versions' folder and the recovery folder that a later
// open could take for a collection: every one must hold a whole collection.
void expectNothingMisleadingLeft(const TempDir& dir, const std::string& context)
{
    removeStaleTemporaries(dir / kName);
    for (const auto& name : folderNames(dir.path()))
        EXPECT_EQ(name.find(".saving-"), std::string::npos) << context << ": a temporary is left: " << name;
    for (const auto& backup : saveBackupsBeside(dir / kName))
        ADD_FAILURE() << context << ": a backup is left after the collection was opened: " << backup;
    for (const KeptVersion& version : listVersions(dir / kName)) {
        EntryList entries;
        EXPECT_FALSE(loadCollectionFile(version.file, entries)) << context << ": a kept version cannot be read";
    }
}

struct Coverage {
    int points = 0;
};

void runEveryFault(const Writer& writer, Coverage& coverage)
{
    const std::string after = undisturbed(writer);
    std::string before;
    if (writer.before) {
        before = writer.before();
    } else {
        TempDir dir;
        writer.prepare(dir);
        before = writer.opened(dir).value_or("(nothing)");
    }
    ASSERT_TRUE(before != after) << writer.name << ": the writer changes nothing";
    for (const DiskStepOutcome fault : {DiskStepOutcome::Fail, DiskStepOutcome::Stop}) {
        const char* faultName = fault == DiskStepOutcome::Fail ? "failing" : "stopped at";
        for (int at = 1;; ++at) {
            ASSERT_LT(at, 200) << writer.name << " takes too many steps to try";
            TempDir dir;
            writer.prepare(dir);
            const int status = runFaulted(writer, dir, at, fault);
            if (status == kNotReached)
                break;
            ++coverage.points;
            const std::string context = writer.name + ", " + faultName + " step " + std::to_string(at);
            ASSERT_TRUE(status == kReportedSuccess || status == kReportedFailure || status == kDiskStepStopStatus)
                << context << ": the writer ended with status " << status;
            const std::string seen = writer.opened(dir).value_or("(nothing)");
            if (status == kReportedSuccess)
                EXPECT_TRUE(seen == after) << context << ": reported saved, but the new collection is not what opens";
            else
                EXPECT_TRUE(seen == before || seen == after) << context << ": opens as neither the old nor the new";
            expectNothingMisleadingLeft(dir, context);
        }
    }
}

void saveTrees(const TempDir& dir, const EntryList& trees)
{
    ASSERT_FALSE(saveCollectionFile(dir / kName, trees));
}

bool saveOverOpened(const TempDir& dir, const EntryList& trees, const std::function<void()>& arm)
{
    const auto baseline = measureBaseline(dir / kName);
    CollectionSaveOptions options;
    options.expected = &*baseline;
    arm();
    return !saveCollectionFile(dir / kName, trees, options);
}

Writer replaceWriter()
{
    return {"replace",
            [](const TempDir& dir) { saveTrees(dir, trees(3, "old")); },
            [](const TempDir& dir, const auto& arm) { return saveOverOpened(dir, trees(4, "new"), arm); },
            openedCollection};
}

Writer inPlaceWriter()
{
    return {"in place through a backup",
            [](const TempDir& dir) {
                saveTrees(dir, trees(3, "old"));
                std::filesystem::create_hard_link(dir / kName, dir / "second name.tvn");
            },
            [](const TempDir& dir, const auto& arm) { return saveOverOpened(dir, trees(4, "new"), arm); },
            [](const TempDir& dir) -> std::optional<std::string> {
                // Both names lead to the one file, whatever happened.
                EXPECT_TRUE(std::filesystem::equivalent(dir / kName, dir / "second name.tvn"));
                return openedCollection(dir);
            }};
}

Writer recoveryWriter()
{
    return {"recovery file",
            [](const TempDir&) {},
            [](const TempDir& dir, const auto& arm) {
                const RecoveryStore store(dir / "recovery");
                RecoveryRecord record;
                record.collectionPath = (dir / kName).string();
                if (store.write(record, bytes(trees(3, "old"))))
                    return false;
                arm();
                return !store.write(record, bytes(trees(4, "new")));
            },
            [](const TempDir& dir) -> std::optional<std::string> {
                const auto left = RecoveryStore(dir / "recovery").leftBehind();
                EXPECT_LE(left.size(), 1u);
                std::string bytes;
                if (left.empty() || RecoveryStore::readCollection(left.front(), bytes))
                    return std::nullopt;
                return bytes;
            },
            [] { return bytes(trees(3, "old")); }};
}

Writer csvImportWriter()
{
    return {"import of a table",
            [](const TempDir& dir) {
                saveTrees(dir, trees(3, "old"));
                ASSERT_FALSE(replaceFile(dir / "trees.csv", collectionToCsv(trees(4, "new"))));
            },
            [](const TempDir& dir, const auto& arm) {
                arm();
                return !importCollectionCsv(dir / "trees.csv", dir / kName);
            },
            openedCollection};
}

Writer passportImportWriter()
{
    return {"passport import",
            [](const TempDir& dir) {
                saveTrees(dir, trees(3, "old"));
                EntryList giver = trees(1, "given");
                (*giver[0])[kTreeIdField] = "1e4a7c2b-9d3f-4b8e-8c6a-5f2d1b0a9e87";
                talvane::passport::PassportExport what{dir / "giver.tvn", dir / "Album", dir / "Photos", "Ann", {},
                                                       dir / "given.tvp"};
                ASSERT_TRUE(talvane::passport::exportPassport(giver, 0, what).problem.empty());
            },
            [](const TempDir& dir, const auto& arm) {
                // As talvane-cli passport-import and the window do it: read, place, save, commit.
                const auto lock = CommandLock::take(dir / kName);
                EntryList entries;
                SaveBaseline baseline;
                if (!lock || loadCollectionFile(dir / kName, entries, &baseline))
                    return false;
                talvane::passport::PassportImport what;
                what.passport = dir / "given.tvp";
                what.albumFolder = dir / "Album";
                what.photosFolder = dir / "Photos";
                arm();
                auto imported = talvane::passport::importPassport(what, entries);
                if (!imported.problem.empty())
                    return false;
                entries.push_back(std::move(imported.entry));
                CollectionSaveOptions options;
                options.expected = &baseline;
                if (saveCollectionFile(dir / kName, entries, options))
                    return false;
                imported.placed.commit();
                return true;
            },
            openedCollection};
}

Writer phoneWriter()
{
    return {"the phone server's save",
            [](const TempDir& dir) { saveTrees(dir, trees(3, "old")); },
            [](const TempDir& dir, const auto& arm) {
                auto opened = talvane::companion::FileCollectionHost::open(dir / kName, dir.path());
                auto* host = std::get_if<std::unique_ptr<talvane::companion::FileCollectionHost>>(&opened);
                if (!host)
                    return false;
                talvane::companion::LoggedCare care;
                care.treeRef = std::string(treeIdAt(trees(3, "old"), 1));
                care.kind = talvane::journal::CareKind::Feeding;
                care.text = "Fed from the phone";
                arm();
                return (*host)->apply(care).applied();
            },
            openedCollection};
}

// An open putting back a save that stopped half-way: stopped in turn, the next open
// still finds the old collection, never the torn one.
Writer putBackWriter()
{
    return {"putting back a save that stopped",
            [](const TempDir& dir) {
                saveTrees(dir, trees(3, "old"));
                std::filesystem::create_hard_link(dir / kName, dir / "second name.tvn");
                struct stat info {};
                ASSERT_EQ(::stat((dir / kName).c_str(), &info), 0);
                writeFileBytes(inPlaceBackupPath(dir / kName, info.st_ino), bytes(trees(3, "old")));
                const std::string torn = bytes(trees(4, "new"));
                std::ofstream(dir / kName, std::ios::binary | std::ios::trunc) << torn.substr(0, torn.size() / 2);
            },
            [](const TempDir& dir, const auto& arm) {
                arm();
                EntryList entries;
                return !loadCollectionFile(dir / kName, entries);
            },
            openedCollection, [] { return std::string("(torn)"); }};
}

TEST(EveryWriterUnderFaults, OpensAsTheOldOrTheNewCollectionAfterAnyStepFailsOrStops)
{
    Coverage coverage;
    for (const Writer& writer : {replaceWriter(), inPlaceWriter(), recoveryWriter(), csvImportWriter(),
                                 passportImportWriter(), phoneWriter(), putBackWriter()}) {
        SCOPED_TRACE(writer.name);
        const int before = coverage.points;
        runEveryFault(writer, coverage);
        EXPECT_GT(coverage.points - before, 6) << writer.name << " was not reached by the faults";
    }
    RecordProperty("injection_points", coverage.points);
    std::cout << "Injection points covered: " << coverage.points << '\n';
}

} // namespace
