#include "core/collection/CollectionArchive.h"
#include "support/core/PieceFeed.h"

#include <gtest/gtest.h>

#include <utility>

using namespace talvane::collection;

namespace {

std::string hex(std::string_view bytes)
{
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

EntryList oneEntryNamed(const std::string& name)
{
    EntryList entries;
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries.back())[CBonsaiData::Name] = name;
    return entries;
}

// Reads `bytes` as a file that gives at most `perRead` bytes at a time, into a
// window of `pieceBytes`.
bool readInPieces(std::string_view bytes, std::size_t perRead, std::size_t pieceBytes, EntryList& entries, std::string& error)
{
    return readCollection(pieceFeed(bytes, perRead), bytes.size(), entries, error, pieceBytes);
}

const std::string kClassIntro = std::string("\xFF\xFF\x00\x00\x0B\x00", 6) + "CBonsaiData";

} // namespace

TEST(BonsaiData, NewRecordIsEmptyButForIntExt)
{
    CBonsaiData entry;
    for (std::size_t i = 0; i < CBonsaiData::kFieldCount; ++i)
        EXPECT_EQ(entry[i], i == CBonsaiData::IntExt ? "-1" : "") << i;

    std::size_t spare = 0;
    for (std::size_t i = 0; i < CBonsaiData::kFieldCount; ++i)
        spare += CBonsaiData::isSpare(i);
    EXPECT_EQ(spare, 63u);
    EXPECT_STREQ(CBonsaiData::fieldName(56), "RustZone");
    EXPECT_STREQ(CBonsaiData::fieldName(74), "Photo5Description");
    EXPECT_EQ(CBonsaiData::fieldName(75), nullptr);
}

TEST(CollectionArchive, WritesTheDocumentedLayout)
{
    EXPECT_EQ(hex(writeCollection({})), "0000");

    const std::string one = writeCollection(oneEntryNamed("A"));
    ASSERT_EQ(one.size(), 137u);
    const std::string expectedBody = std::string("\x01" "A", 2) + std::string(8, '\0') + "\x02-1" + std::string(105, '\0');
    EXPECT_EQ(hex(one), hex(std::string("\x01\x00", 2) + kClassIntro + expectedBody));

    EntryList two = oneEntryNamed("A");
    two.push_back(std::make_unique<CBonsaiData>());
    const std::string twoBytes = writeCollection(two);
    EXPECT_EQ(hex(twoBytes.substr(0, 2)), "0200");
    // The second entry refers back to the class introduced by the first.
    EXPECT_EQ(hex(twoBytes.substr(137, 2)), "0180");
    EXPECT_EQ(twoBytes.size(), 137u + 2 + 117);
}

TEST(CollectionArchive, LengthPrefixesGrowWithTheText)
{
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {254, "FE"},
        {255, "FFFF00"},
        {300, "FF2C01"},
        {0xFFFD, "FFFDFF"},
        {0xFFFE, "FFFFFFFEFF0000"},
        {70000, "FFFFFF70110100"},
    };
    for (const auto& c : cases) {
        EntryList entries = oneEntryNamed(std::string(c.length, 'x'));
        const std::string bytes = writeCollection(entries);
        EXPECT_EQ(hex(bytes.substr(19, c.prefix.size() / 2)), c.prefix) << c.length;

        EntryList read;
        std::string error;
        ASSERT_TRUE(readCollection(bytes, read, error)) << error;
        ASSERT_EQ(read.size(), 1u);
        EXPECT_EQ((*read[0])[CBonsaiData::Name], std::string(c.length, 'x'));
        EXPECT_EQ((*read[0])[CBonsaiData::IntExt], "-1");
    }
}

TEST(CollectionArchive, RoundTripKeepsEveryByteOfEveryField)
{
    EntryList entries;
    for (int e = 0; e < 3; ++e) {
        entries.push_back(std::make_unique<CBonsaiData>());
        for (std::size_t i = 0; i < CBonsaiData::kFieldCount; ++i)
            (*entries.back())[i] = std::to_string(e) + ":" + std::to_string(i) + "\xE9\x81\r\n" + std::string(i % 7, '\0');
    }
    (*entries[1])[CBonsaiData::Name] = (*entries[0])[CBonsaiData::Name];  // equal names stay two entries
    const std::string bytes = writeCollection(entries);

    EntryList read;
    std::string error;
    ASSERT_TRUE(readCollection(bytes, read, error)) << error;
    ASSERT_EQ(read.size(), 3u);
    for (int e = 0; e < 3; ++e)
        for (std::size_t i = 0; i < CBonsaiData::kFieldCount; ++i)
            EXPECT_EQ((*read[e])[i], (*entries[e])[i]);
    EXPECT_EQ(writeCollection(read), bytes);

    // Read in pieces, a text longer than a piece or than the short length form
    // (65,534 bytes) reads the same, however the reads fall.
    (*entries[2])[CBonsaiData::History] = std::string(70000, 'h');
    const std::string longer = writeCollection(entries);
    for (const auto& [perRead, piece] : {std::pair{1, 1}, {3, 16}, {7, 7}, {4096, 1 << 20}}) {
        EntryList pieces;
        ASSERT_TRUE(readInPieces(longer, perRead, piece, pieces, error)) << error;
        EXPECT_EQ(writeCollection(pieces), longer) << perRead << " bytes per read";
        EXPECT_TRUE(error.empty()) << error;
    }
}

TEST(CollectionArchive, LargeCountsUseTheLongForm)
{
    EntryList entries;
    for (int i = 0; i < 0xFFFF; ++i)
        entries.push_back(std::make_unique<CBonsaiData>());
    const std::string bytes = writeCollection(entries);
    EXPECT_EQ(hex(bytes.substr(0, 6)), "FFFFFFFF0000");
    EntryList read;
    std::string error;
    ASSERT_TRUE(readCollection(bytes, read, error)) << error;
    EXPECT_EQ(read.size(), 0xFFFFu);
}

TEST(CollectionArchive, DamagedFilesYieldNoEntriesAndSayWhy)
{
    const std::string good = writeCollection(oneEntryNamed("A"));
    std::string twoEntries;
    {
        EntryList two = oneEntryNamed("A");
        two.push_back(std::make_unique<CBonsaiData>());
        twoEntries = writeCollection(two);
    }
    struct Case {
        const char* what;
        std::string bytes;
        const char* reason;
    };
    std::string otherClass = good;
    otherClass.replace(8, 11, "CBonsaiDatb");
    std::string schemaOne = good;
    schemaOne[4] = '\x01';
    std::string nullRef = twoEntries;
    nullRef.replace(137, 2, std::string("\x00\x00", 2));
    std::string backRef = twoEntries;
    backRef.replace(137, 2, std::string("\x02\x00", 2));
    std::string bigTag = twoEntries;
    bigTag.replace(137, 2, std::string("\xFF\x7F", 2));
    std::string otherClassRef = twoEntries;
    otherClassRef.replace(137, 2, std::string("\x02\x80", 2));
    std::string wide = good;
    wide.replace(19, 2, std::string("\xFF\xFE\xFF\x01\x00" "A", 6));
    std::string longText = good;
    longText.replace(19, 2, std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x0F", 7) + "A");
    std::string doubleClass = twoEntries;
    doubleClass.replace(137, 2, kClassIntro);

    const Case cases[] = {
        {"empty file", "", "ends too early"},
        {"one byte", "\x01", "ends too early"},
        {"cut in the class name", good.substr(0, 12), "larger than the file can hold"},
        {"cut in the last text", good.substr(0, 136), "ends too early"},
        {"a count of 4 billion in 20 bytes", std::string("\xFF\xFF\xFF\xFF\xFF\xFF", 6) + std::string(14, '\0'), "larger than the file can hold"},
        {"more entries than the file holds", std::string("\x02\x00", 2) + good.substr(2), "larger than the file can hold"},
        {"another class", otherClass, "CBonsaiDatb"},
        {"schema 1", schemaOne, "version 1"},
        {"first tag a reference", std::string("\x01\x00\x01\x80", 4) + std::string(115, '\0'), "does not start"},
        {"null reference", nullRef, "empty object reference"},
        {"back reference", backRef, "refers back"},
        {"long tag", bigTag, "long object tag"},
        {"unknown class reference", otherClassRef, "unknown class"},
        {"wide text", wide, "wide-character"},
        {"text longer than the file", longText, "claims 268435455 bytes"},
        {"class declared twice", doubleClass, "second time"},
    };
    for (const auto& c : cases) {
        EntryList read;
        read.push_back(std::make_unique<CBonsaiData>());  // what was there stays
        std::string error;
        EXPECT_FALSE(readCollection(c.bytes, read, error)) << c.what;
        EXPECT_EQ(read.size(), 1u) << c.what;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
        for (const std::size_t perRead : {1, 5, 64}) {
            std::string pieceError;
            EXPECT_FALSE(readInPieces(c.bytes, perRead, perRead, read, pieceError)) << c.what;
            EXPECT_EQ(pieceError, error) << c.what << ", " << perRead << " bytes per read";
        }
        EXPECT_EQ(read.size(), 1u) << c.what;
    }
}

namespace {

// Entries numbered by name, each with a long note so that a few hundred pass a megabyte.
EntryList numberedEntries(std::size_t count, std::size_t noteBytes)
{
    EntryList entries;
    for (std::size_t i = 0; i < count; ++i) {
        entries.push_back(std::make_unique<CBonsaiData>());
        (*entries.back())[CBonsaiData::Name] = "Tree " + std::to_string(i);
        (*entries.back())[CBonsaiData::PlantNotes] = std::string(noteBytes, static_cast<char>('a' + i % 26));
    }
    return entries;
}

} // namespace

TEST(CollectionArchive, ASnapshotKeepsItsEntriesAsTheyWereWhileTheListChanges)
{
    EntryList entries = numberedEntries(3, 10);
    const CBonsaiData* unshared = entries[2].get();
    EntryList snapshot(entries.begin(), entries.begin() + 2);
    const std::string before = writeCollection(snapshot);

    entryToChange(entries, 0)[CBonsaiData::Name] = "Renamed";
    entryToChange(entries, 2)[CBonsaiData::Name] = "Changed in place";
    entries.erase(entries.begin() + 1);

    EXPECT_EQ(writeCollection(snapshot), before);
    EXPECT_EQ((*entries[0])[CBonsaiData::Name], "Renamed");
    EXPECT_EQ((*entries[0])[CBonsaiData::PlantNotes], std::string(10, 'a')) << "the copy holds every field";
    EXPECT_EQ(entries[1].get(), unshared) << "an entry nothing shares is changed where it is";
    EXPECT_EQ((*entries[1])[CBonsaiData::Name], "Changed in place");
}

TEST(CollectionArchive, WrittenPieceByPieceTheBytesAreTheWholeFileAndARefusedPieceStops)
{
    const EntryList entries = numberedEntries(400, 6000);
    const std::string whole = writeCollection(entries);
    std::string joined;
    int pieces = 0;
    EXPECT_TRUE(writeCollection(entries, [&](std::string_view piece) {
        joined += piece;
        ++pieces;
        return true;
    }));
    EXPECT_EQ(joined, whole);
    EXPECT_GT(pieces, 1) << "more than a megabyte comes in pieces";

    auto edited = copyEntry(*entries[7]);
    (*edited)[CBonsaiData::Name] = "Edited";
    joined.clear();
    EXPECT_TRUE(writeCollection(entries, 7, *edited, [&](std::string_view piece) {
        joined += piece;
        return true;
    }));
    EXPECT_EQ(joined, writeCollection(entries, 7, *edited));

    int taken = 0;
    EXPECT_FALSE(writeCollection(entries, [&](std::string_view) { return ++taken < 2; }));
    EXPECT_EQ(taken, 2) << "nothing is made after a refusal";
}

TEST(CollectionArchive, ReadInBatchesTheEntriesAreThoseOfTheWholeReadFirstOneAlone)
{
    const std::string bytes = writeCollection(numberedEntries(3000, 20));
    std::vector<std::size_t> sizes;
    EntryList batched;
    const auto collect = [&](EntryList& batch) {
        sizes.push_back(batch.size());
        batched.insert(batched.end(), batch.begin(), batch.end());
        return true;
    };
    EntryList untouched;
    std::string error;
    ASSERT_TRUE(readCollection(pieceFeed(bytes, 4096), bytes.size(), untouched, error, 8192, collect)) << error;
    EXPECT_TRUE(untouched.empty());
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.front(), 1u) << "the first entry comes alone, to be shown at once";
    EXPECT_EQ(writeCollection(batched), bytes);

    // A listener that stops the reading ends it at once, with nothing to say.
    int batches = 0;
    EXPECT_FALSE(readCollection(pieceFeed(bytes, 4096), bytes.size(), untouched, error, 8192,
                                [&](EntryList&) { return ++batches < 2; }));
    EXPECT_EQ(batches, 2);

    // A file that ends early, past its first entries, hands those over, then says why it fails.
    const std::string damaged = bytes.substr(0, bytes.size() / 2);
    batched.clear();
    sizes.clear();
    EXPECT_FALSE(readCollection(pieceFeed(damaged, 4096), bytes.size(), untouched, error, 8192, collect));
    EXPECT_FALSE(batched.empty());
    EXPECT_NE(error.find("the file ends too early"), std::string::npos) << error;
}
