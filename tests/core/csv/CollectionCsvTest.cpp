#include "core/csv/CollectionCsv.h"

#include <gtest/gtest.h>

using namespace talvane::collection;
using namespace talvane::csv;

namespace {

constexpr std::size_t kFields = CBonsaiData::kFieldCount;

const char* const kUsedNames =
    "Name,BotanicalName,FrenchName,EnglishName,CommonName,Type,Species,Cultivar,PlantNotes,IntExt,"
    "PurchaseAge,PurchaseDate,PurchaseTrunkDiameter,PurchaseStyle,PurchaseTrunkHeight,Source,PricePaid,"
    "ShapingAge,ShapingDate,ShapingTrunkDiameter,ShapingStyle,ShapingTrunkHeight,History,"
    "Defoliation,Fertilization,Insecticide,Pinching,Repotting,Pruning,MaintenanceNotes,ToDo,"
    "NeedWatering,NeedPosition,NeedFertilization,NeedWintering,MinTemperature,PH,NeedRepotting,RustZone,"
    "NeedSoil,NeedWiring,NeedPruning,Photo1,Photo2,Photo3,Photo4,Photo5,"
    "Photo1Description,Photo2Description,Photo3Description,Photo4Description,Photo5Description";

std::string expectedHeader()
{
    std::string header = kUsedNames;
    const std::pair<int, int> spareRanges[] = {{10, 13}, {21, 25}, {32, 36}, {45, 48}, {60, 64}, {75, 114}};
    for (const auto& [first, last] : spareRanges) {
        for (int i = first; i <= last; ++i)
            header += ",Spare" + std::to_string(i);
    }
    return header + "\r\n";
}

std::string allBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

CBonsaiData& add(EntryList& entries)
{
    entries.push_back(std::make_unique<CBonsaiData>());
    return *entries.back();
}

EntryList imported(std::string_view csv)
{
    EntryList entries;
    const auto failure = collectionFromCsv(csv, entries);
    EXPECT_FALSE(failure) << *failure;
    return entries;
}

std::string refusal(std::string_view csv)
{
    EntryList entries;
    add(entries)[CBonsaiData::Name] = "already there";
    const auto failure = collectionFromCsv(csv, entries);
    EXPECT_EQ(entries.size(), 1u) << "a refused table adds no entry";
    return failure.value_or("(accepted)");
}

} // namespace

TEST(CollectionCsv, HeaderNamesTheUsedFieldsThenTheSpareOnes)
{
    EXPECT_EQ(collectionToCsv({}), expectedHeader());
}

TEST(CollectionCsv, EachEntryIsOneRowOfUtf8InHeaderOrder)
{
    EntryList entries;
    auto& entry = add(entries);
    entry[CBonsaiData::Name] = "\xC9rable \"vieux\"";
    entry[10] = "s";
    entry[114] = "\x80";

    const std::string row = "\"\xC3\x89rable \"\"vieux\"\"\"" + std::string(9, ',') + "'-1" + std::string(42, ',') +
                            ",s" + std::string(62, ',') + "\xE2\x82\xAC\r\n";
    EXPECT_EQ(collectionToCsv(entries), expectedHeader() + row);
}

TEST(CollectionCsv, ExportThenImportGivesTheSameCollectionFileBytes)
{
    const std::string awkward[] = {
        allBytes(), std::string("nul\0inside", 10), "say \"hi\", then go", "two\r\nlines", "lf\nonly", "cr\ronly",
        "\xE9t\xE9 \xE0 l'\xEEle", "\x81\x8D\x8F\x90\x9D", "\"", ",", " padded ", "\r\n",
        "=1+1", "+33", "-", "@x", "\tx", "\rx", "'=x", "''-", "'", "''", "'a", "'\r\n",
    };
    EntryList entries;
    for (std::size_t n = 0; n < std::size(awkward); ++n) {
        auto& entry = add(entries);
        for (std::size_t i = 0; i < kFields; ++i)
            entry[i] = awkward[(n + i) % std::size(awkward)];
    }
    add(entries)[CBonsaiData::IntExt] = "";
    add(entries);

    const EntryList back = imported(collectionToCsv(entries));
    EXPECT_EQ(writeCollection(back), writeCollection(entries));
}

// A spreadsheet runs a cell beginning with = + - @ TAB or CR; quotes in front of such a
// start get one more, so that import can take exactly one off.
TEST(CollectionCsv, FormulaLikeValuesAreWrittenBehindAQuoteAndReadBackWithout)
{
    const std::pair<std::string, std::string> cells[] = {
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""}, {"+33 6", "'+33 6"}, {"-1", "'-1"},
        {"@SUM(A1)", "'@SUM(A1)"}, {"\tx", "'\tx"}, {"\rx", "\"'\rx\""},
        {"'=x", "''=x"}, {"''+x", "'''+x"}, {"'-", "''-"},
        {"'abc", "'abc"}, {"''x", "''x"}, {"'", "'"}, {"''", "''"}, {"a=b", "a=b"}, {" =x", " =x"}, {"", ""},
    };
    EntryList entries;
    std::string rows;
    for (const auto& [value, written] : cells) {
        auto& entry = add(entries);
        entry[CBonsaiData::Name] = value;
        entry[CBonsaiData::IntExt] = "0";
        rows += written + std::string(9, ',') + "0" + std::string(kFields - 10, ',') + "\r\n";
    }
    const std::string csv = collectionToCsv(entries);
    EXPECT_EQ(csv, expectedHeader() + rows) << "the header row is written as it is";

    const EntryList back = imported(csv);
    ASSERT_EQ(back.size(), std::size(cells));
    for (std::size_t i = 0; i < back.size(); ++i)
        EXPECT_EQ((*back[i])[CBonsaiData::Name], cells[i].first) << cells[i].second;

    const EntryList typed = imported("Name\r\n'=x\r\n''@\r\n'x\r\n=x\r\n");
    ASSERT_EQ(typed.size(), 4u);
    EXPECT_EQ((*typed[0])[CBonsaiData::Name], "=x");
    EXPECT_EQ((*typed[1])[CBonsaiData::Name], "'@");
    EXPECT_EQ((*typed[2])[CBonsaiData::Name], "'x") << "a quote before plain text is part of the text";
    EXPECT_EQ((*typed[3])[CBonsaiData::Name], "=x") << "a table from elsewhere may hold formulas unguarded";
}

TEST(CollectionCsv, AnEmptyCollectionComesBackEmpty)
{
    EXPECT_TRUE(imported(collectionToCsv({})).empty());
}

TEST(CollectionCsv, ColumnsMayComeInAnyOrder)
{
    const EntryList entries = imported("Spare114,PricePaid,Name\r\nz,12 \xE2\x82\xAC,Pin\r\n");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ((*entries[0])[CBonsaiData::Name], "Pin");
    EXPECT_EQ((*entries[0])[CBonsaiData::PricePaid], "12 \x80");
    EXPECT_EQ((*entries[0])[114], "z");
}

// A table without IntExt gives entries as the program makes new ones: neither
// Interior nor Exterior.
TEST(CollectionCsv, MissingColumnsAreEmptyAndAMissingIntExtIsMinusOne)
{
    const EntryList entries = imported("Name\nPin\n\xC3\x89rable\n");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ((*entries[1])[CBonsaiData::Name], "\xC9rable");
    for (const auto& entry : entries) {
        for (std::size_t i = 1; i < kFields; ++i)
            EXPECT_EQ((*entry)[i], i == CBonsaiData::IntExt ? "-1" : "") << "field " << i;
    }
    EXPECT_EQ((*imported("IntExt,Name\n,Pin\n")[0])[CBonsaiData::IntExt], "") << "a present IntExt column is kept";
}

TEST(CollectionCsv, AByteOrderMarkIsSkipped)
{
    EXPECT_EQ((*imported("\xEF\xBB\xBFName\r\nPin\r\n")[0])[CBonsaiData::Name], "Pin");
}

TEST(CollectionCsv, RefusesUnknownColumnsNamingThem)
{
    EXPECT_EQ(refusal("Name,Colour,Spare9,Spare010,name\r\na,b,c,d,e\r\n"),
              "unknown columns: \"Colour\", \"Spare9\", \"Spare010\", \"name\"");
    EXPECT_EQ(refusal("Colour\r\n"), "unknown column: \"Colour\"");
}

TEST(CollectionCsv, RefusesRepeatedColumnsNamingThemOnce)
{
    EXPECT_EQ(refusal("Name,History,Name,History,Name\r\n"), "repeated columns: \"Name\", \"History\"");
    EXPECT_EQ(refusal("Name,Colour,Name\r\n"), "unknown column: \"Colour\"; repeated column: \"Name\"");
}

TEST(CollectionCsv, RefusesARowWithTheWrongNumberOfValues)
{
    EXPECT_EQ(refusal("Name,History\r\na,b\r\nc\r\n"), "row 3 has 1 value where the header row has 2 columns");
    EXPECT_EQ(refusal("Name\r\n\"a\nb\"\r\nc,d,e\r\n"), "row 3 has 3 values where the header row has 1 column");
}

TEST(CollectionCsv, RefusesCharactersWindows1252CannotHoldNamingRowAndColumn)
{
    EXPECT_EQ(refusal("Name,History\r\nok,fine\r\nok,\xC3\xA9\xE2\x9C\x93\r\n"),
              "row 3, column \"History\": character 2 cannot be held in Windows-1252 (or is not UTF-8)");
    EXPECT_EQ(refusal("Spare75\r\n\xFF\r\n"),
              "row 2, column \"Spare75\": character 1 cannot be held in Windows-1252 (or is not UTF-8)");
}

// Only the characters past plain ASCII are converted; the character is still counted
// from the start of the value.
TEST(CollectionCsv, NamesTheCharacterWindows1252CannotHoldPastAccentsAndPlainText)
{
    EXPECT_EQ(refusal("Spare75\r\n\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xC3\xA0\xF0\x9F\x8C\xB3 ok\r\n"),
              "row 2, column \"Spare75\": character 8 cannot be held in Windows-1252 (or is not UTF-8)");
    EXPECT_EQ(refusal("Name\r\nab\xC3\r\n"),
              "row 2, column \"Name\": character 3 cannot be held in Windows-1252 (or is not UTF-8)");
}

TEST(CollectionCsv, RefusesMalformedCsvAndAnEmptyFile)
{
    EXPECT_EQ(refusal("Name\r\n\"open\r\n"), "row 2: a quoted value is not closed before the end of the file");
    EXPECT_EQ(refusal(""), "the file is empty: a header row naming the columns is needed");
}

// The whole table is checked as CSV before its rows are refused for what they hold,
// however far apart the two faults are.
TEST(CollectionCsv, MalformedCsvIsRefusedAsSuchEvenAfterARefusedRow)
{
    EXPECT_EQ(refusal("Name,Colour\r\na\r\n\"open"), "row 3: a quoted value is not closed before the end of the file");
    EXPECT_EQ(refusal("Name\r\na,b\r\n\xFF\r\nc\"d\r\n"), "row 4: a quote inside a value that does not start with one");
}

TEST(CollectionCsv, ATableReadInPiecesGivesTheEntriesOfTheWholeTable)
{
    const std::string table = "\xEF\xBB\xBFName,Spare114,History\r\n"
                              "'=x,\"TVJ1\n2020-06-01\tNote\t\t\tshade\",\"\xC3\x89t\xC3\xA9\r\n\"\"chaud\"\"\"\r\n"
                              "\xE2\x82\xAC,\"TVJ1\r\n2020-13-45\tx\",\n"
                              ",,";
    EntryList whole;
    CsvJournals wholeJournals;
    ASSERT_FALSE(collectionFromCsv(table, whole, &wholeJournals));
    ASSERT_EQ(wholeJournals.restored, 1u);
    ASSERT_EQ(wholeJournals.unreadableRows, std::vector<std::size_t>{3});
    for (std::size_t cut = 1; cut < table.size(); ++cut) {
        CollectionCsvReader reader;
        reader.read(std::string_view(table).substr(0, cut));
        reader.read(std::string_view(table).substr(cut));
        EntryList entries;
        CsvJournals journals;
        ASSERT_FALSE(reader.finish(entries, &journals)) << "cut at " << cut;
        EXPECT_EQ(writeCollection(entries), writeCollection(whole)) << "cut at " << cut;
        EXPECT_EQ(journals.restored, 1u) << "cut at " << cut;
        EXPECT_EQ(journals.unreadableRows, wholeJournals.unreadableRows) << "cut at " << cut;
    }
}
