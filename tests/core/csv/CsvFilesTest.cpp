#include "core/csv/CsvFiles.h"

#include "core/collection/CollectionFile.h"
#include "core/collection/TreeIdentity.h"
#include "support/core/CompanionRun.h"
#include "core/journal/Journal.h"
#include "core/journal/JournalFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sys/stat.h>

using namespace talvane::collection;
using namespace talvane::csv;

namespace {

EntryList sampleEntries()
{
    EntryList entries;
    for (const char* name : {"Pin \"noir\", 1998", "\xC9rable\r\ndu Japon"}) {
        entries.push_back(std::make_unique<CBonsaiData>());
        (*entries.back())[CBonsaiData::Name] = name;
        (*entries.back())[CBonsaiData::History] = std::string("line\nwith\0nul", 13);
        (*entries.back())[80] = "spare \xA7";
        (*entries.back())[kTreeIdField] = newTreeId();
    }
    return entries;
}

} // namespace

TEST(CsvFiles, ExportThenImportReproducesTheCollectionFile)
{
    TempDir dir;
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", sampleEntries()));
    ASSERT_FALSE(exportCollectionCsv(dir / "trees.tvn", dir / "trees.csv"));
    ASSERT_FALSE(importCollectionCsv(dir / "trees.csv", dir / "back.tvn"));
    EXPECT_EQ(readFileBytes(dir / "back.tvn"), readFileBytes(dir / "trees.tvn"));
}

TEST(CsvFiles, ExportReplacesTheOldTableAsANewFileAndLeavesNothingElse)
{
    TempDir dir;
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", sampleEntries()));
    writeFileBytes(dir / "trees.csv", std::string(100000, 'x'));
    ::chmod((dir / "trees.csv").c_str(), 0600);
    const auto failure = exportCollectionCsv(dir / "trees.tvn", dir / "trees.csv");
    ASSERT_FALSE(failure) << *failure;

    EXPECT_EQ(readFileBytes(dir / "trees.csv").substr(0, 5), "Name,");
    EXPECT_EQ(folderNames(dir.path()), (std::vector<std::string>{"trees.csv", "trees.tvn"}));
    struct stat info {};
    ASSERT_EQ(::stat((dir / "trees.csv").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << "a replaced table keeps its permissions";

    const mode_t mask = ::umask(027);
    ASSERT_FALSE(exportCollectionCsv(dir / "trees.tvn", dir / "new.csv"));
    ::umask(mask);
    ASSERT_EQ(::stat((dir / "new.csv").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u) << "a new table is made as any new file, not private";
}

TEST(CsvFiles, AFailedExportNamesTheFileAndLeavesNoHalfTable)
{
    TempDir dir;
    EXPECT_EQ(exportCollectionCsv(dir / "none.tvn", dir / "out.csv"),
              (dir / "none.tvn").string() + ": No such file or directory");

    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", sampleEntries()));
    std::filesystem::create_directory(dir / "taken");
    EXPECT_EQ(exportCollectionCsv(dir / "trees.tvn", dir / "taken"),
              "cannot write " + (dir / "taken").string() + ": Is a directory");
    EXPECT_EQ(folderNames(dir.path()), (std::vector<std::string>{"taken", "trees.tvn"}));
    EXPECT_TRUE(std::filesystem::is_empty(dir / "taken"));
}

TEST(CsvFiles, ARefusedImportLeavesTheCollectionFileUntouched)
{
    TempDir dir;
    const auto out = dir / "trees.tvn";
    ASSERT_FALSE(saveCollectionFile(out, sampleEntries()));
    const std::string before = readFileBytes(out);

    writeFileBytes(dir / "bad.csv", "Name,History\r\nok,fine\r\nshort\r\n");
    EXPECT_EQ(importCollectionCsv(dir / "bad.csv", out),
              (dir / "bad.csv").string() + ": row 3 has 1 value where the header row has 2 columns; " + out.string() +
                  " not written");
    EXPECT_EQ(importCollectionCsv(dir / "none.csv", out),
              "cannot read " + (dir / "none.csv").string() + ": No such file or directory");

    EXPECT_EQ(readFileBytes(out), before);
    EXPECT_EQ(folderNames(dir.path()), (std::vector<std::string>{"bad.csv", "trees.tvn"}));
}

TEST(CsvFiles, ImportKeepsTheIdentifiersGivenAndGivesOneToEachRowWithout)
{
    TempDir dir;
    const std::string id = "0f8fad5b-d9cb-469f-a165-70867728950e";
    const std::string upper = "0F8FAD5B-D9CB-469F-A165-70867728950E";
    writeFileBytes(dir / "ids.csv", "Name,Spare113\r\nA," + id + "\r\nB,\r\nC," + id + "\r\nD," + upper + "\r\n");
    ASSERT_FALSE(importCollectionCsv(dir / "ids.csv", dir / "ids.tvn"));

    EntryList imported;
    ASSERT_FALSE(loadCollectionFile(dir / "ids.tvn", imported));
    ASSERT_EQ(imported.size(), 4u);
    auto field = [&](std::size_t i) { return std::string((*imported[i])[kTreeIdField]); };
    EXPECT_EQ(field(0), id);
    EXPECT_EQ(field(3), upper) << "a text that is not an identifier is kept as given";
    std::set<std::string> given;
    for (std::size_t i : {1, 2}) {
        EXPECT_TRUE(isWellFormedTreeId(field(i))) << i << ": " << field(i);
        given.insert(field(i));
    }
    EXPECT_EQ(given.size(), 2u);
    EXPECT_FALSE(given.count(id)) << "the second row holding A's identifier got its own";
}

// A table larger than the pieces the import reads it in: a row ends with its CR at the
// end of the first mebibyte and its LF at the start of the next, a quoted value with
// line breaks and quotes runs over the second, and the last row ends with no line break.
TEST(CsvFiles, ImportReadsALargeTableAsTheWholeTextIsRead)
{
    constexpr std::size_t kMebibyte = std::size_t{1} << 20;
    std::string table = "Name,Spare113,History\r\n";
    const auto addRow = [&table](const std::string& name, const std::string& history) {
        table += name + "," + newTreeId() + "," + history + "\r\n";
    };
    for (std::size_t n = 0; table.size() < kMebibyte - 1000; ++n)
        addRow("Tree " + std::to_string(n), "\"wired\r\nin \"\"spring\"\"\"");
    // The row's name, a comma, an identifier, a comma and CR LF, up to the mebibyte's LF.
    addRow(std::string(kMebibyte + 1 - table.size() - 40, 'p'), "");
    ASSERT_EQ(table.substr(kMebibyte - 1, 2), "\r\n");
    std::string history = "\"";
    while (history.size() < kMebibyte + 1000)
        history += "repotted\r\n\"\"akadama\"\",";
    addRow("long", history + "\"");
    table += "last," + newTreeId() + ",\"no line break after me\"";

    TempDir dir;
    writeFileBytes(dir / "large.csv", table);
    ASSERT_FALSE(importCollectionCsv(dir / "large.csv", dir / "large.tvn"));
    EntryList whole;
    ASSERT_FALSE(collectionFromCsv(table, whole));
    EXPECT_EQ(readFileBytes(dir / "large.tvn"), writeCollection(whole));
}

// The command-line tool, built beside this test program, over the same functions.
TEST(CsvCommands, ExportAndImportRunAndReportFailuresOnStandardError)
{
    TempDir dir;
    const auto run = [&](const std::string& arguments) { return runCompanion(dir, arguments); };
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", sampleEntries()));

    EXPECT_EQ(run("export trees.tvn trees.csv").status, 0);
    EXPECT_EQ(run("import trees.csv back.tvn").status, 0);
    EXPECT_EQ(readFileBytes(dir / "back.tvn"), readFileBytes(dir / "trees.tvn"));

    writeFileBytes(dir / "bad.csv", "Name,Colour\r\n");
    const CompanionRun refused = run("import bad.csv back.tvn");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "talvane-cli: bad.csv: unknown column: \"Colour\"; back.tvn not written\n");
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(readFileBytes(dir / "back.tvn"), readFileBytes(dir / "trees.tvn"));
}

TEST(CsvCommands, JournalsGivenLfLineBreaksByASpreadsheetAreReadAsTheyWereAndTheRestAreCounted)
{
    using namespace talvane::journal;
    TempDir dir;
    Journal kept = Journal::read("");
    kept.add({*CalendarDate::fromText("2019-03-02"), CareKind::Repotting, CalendarDate::fromText("2021-03-01"), "pot.bmp",
              "akadama\r\nthen moss\nand a \\n that is text", {}, {{MeasureKind::Trunk, "35", LengthUnit::Millimetre}}, {}});
    kept.add({*CalendarDate::fromText("2020-06-01"), CareKind::Note, std::nullopt, {}, "cloth shade", {}, {}, {}});
    const std::string unreadable = kept.text() + "\r\n2020-13-45\tnot an event";
    const std::string foreign = "notes of another program\nkept as they are";
    EntryList entries = sampleEntries();
    (*entries[0])[kJournalField] = kept.text();
    (*entries[1])[kJournalField] = unreadable;
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries.back())[kJournalField] = foreign;
    (*entries.back())[kTreeIdField] = newTreeId();
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", entries));
    ASSERT_EQ(runCompanion(dir, "export trees.tvn trees.csv").status, 0);

    // A spreadsheet writes every line break as LF, inside cells as between rows.
    std::string table = readFileBytes(dir / "trees.csv");
    for (auto at = table.find("\r\n"); at != std::string::npos; at = table.find("\r\n", at))
        table.erase(at, 1);
    writeFileBytes(dir / "sheet.csv", table);
    const CompanionRun run = runCompanion(dir, "import sheet.csv back.tvn");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "sheet.csv: 2 journals had LF line breaks, as a spreadsheet writes them, and were read as written "
                       "with CR LF\n");
    EXPECT_EQ(run.err, "talvane-cli: sheet.csv: the journals (Spare114) of 2 trees cannot be read and are kept as they "
                       "are, the first in row 3\n");
    EntryList back;
    ASSERT_FALSE(loadCollectionFile(dir / "back.tvn", back));
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ((*back[0])[kJournalField], kept.text());
    EXPECT_EQ((*back[1])[kJournalField], unreadable);
    EXPECT_EQ((*back[2])[kJournalField], foreign) << "a text that is no journal keeps its LF";

    EXPECT_EQ(withLineBreaksRestored("TVJ1\nx\r\ny\n"), "TVJ1\r\nx\r\ny\r\n") << "a CR LF left whole is not doubled";
    EXPECT_EQ(withLineBreaksRestored("TVJ1\r\nx\ny"), std::nullopt) << "a journal that kept its CR LF is read as it is";
}
