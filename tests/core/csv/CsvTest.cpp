#include "core/csv/Csv.h"

#include <gtest/gtest.h>

using talvane::csv::Row;

namespace {

std::string written(const std::vector<Row>& rows)
{
    std::string out;
    for (const auto& row : rows)
        talvane::csv::appendRow(out, row);
    return out;
}

std::vector<Row> read(std::string_view text)
{
    std::vector<Row> rows;
    const auto failure = talvane::csv::readRows(text, rows);
    EXPECT_FALSE(failure) << *failure;
    return rows;
}

std::string refusal(std::string_view text)
{
    std::vector<Row> rows{{"kept"}};
    const auto failure = talvane::csv::readRows(text, rows);
    EXPECT_EQ(rows, std::vector<Row>{{"kept"}}) << "a refused text leaves the rows alone";
    return failure.value_or("(accepted)");
}

} // namespace

TEST(CsvWriter, QuotesOnlyValuesWithCommasQuotesOrLineBreaks)
{
    EXPECT_EQ(written({{"plain", "a,b", "say \"hi\"", "", " spaced ", "\""}}),
              "plain,\"a,b\",\"say \"\"hi\"\"\",, spaced ,\"\"\"\"\r\n");
    EXPECT_EQ(written({{"one\r\ntwo", "one\ntwo", "cr\ronly"}, {"x"}}),
              "\"one\r\ntwo\",\"one\ntwo\",\"cr\ronly\"\r\nx\r\n");
}

TEST(CsvReader, ReadsBackEveryByteTheWriterWrites)
{
    std::string allBytes;
    for (int b = 0; b < 256; ++b)
        allBytes += static_cast<char>(b);
    const std::vector<Row> rows = {
        {allBytes, "", "\"", "\"\"", ",", "\r\n", "\n\n", "\r"},
        {std::string("nul\0inside", 10), "", ""},
        {""},
        {"last"},
    };
    EXPECT_EQ(read(written(rows)), rows);
}

TEST(CsvReader, AcceptsCrLfOrLfRowEndsAndAMissingLastOne)
{
    EXPECT_EQ(read("a,b\nc,d\r\ne,f"), (std::vector<Row>{{"a", "b"}, {"c", "d"}, {"e", "f"}}));
    EXPECT_EQ(read("a,b\r\n"), (std::vector<Row>{{"a", "b"}}));
    EXPECT_TRUE(read("").empty());
}

TEST(CsvReader, KeepsLineBreaksInsideQuotesExactly)
{
    EXPECT_EQ(read("\"x\r\ny\",\"p\nq\"\n\"\"\"\",\"r\rs\""),
              (std::vector<Row>{{"x\r\ny", "p\nq"}, {"\"", "r\rs"}}));
}

TEST(CsvReader, EmptyValuesAndAnEmptyLineAreValues)
{
    EXPECT_EQ(read("a,,\n\n,b\n,"), (std::vector<Row>{{"a", "", ""}, {""}, {"", "b"}, {"", ""}}));
}

TEST(CsvReader, RefusesAQuoteThatIsNeverClosedNamingTheRowItOpens)
{
    EXPECT_EQ(refusal("a,b\r\n\"multi\r\nline,c\r\n"), "row 2: a quoted value is not closed before the end of the file");
    EXPECT_EQ(refusal("\"a\"\""), "row 1: a quoted value is not closed before the end of the file");
}

TEST(CsvReader, RefusesAQuoteInsideAnUnquotedValue)
{
    EXPECT_EQ(refusal("a\r\nb\"c,d\r\n"), "row 2: a quote inside a value that does not start with one");
    EXPECT_EQ(refusal("a, \"b\"\n"), "row 1: a quote inside a value that does not start with one");
}

TEST(CsvReader, RefusesTextAfterAClosingQuote)
{
    EXPECT_EQ(refusal("\"a\"\r\n\"b\"c\r\n"), "row 2: text follows the closing quote of a value");
}

TEST(CsvReader, RefusesACarriageReturnThatEndsNoRow)
{
    EXPECT_EQ(refusal("a\rb\n"), "row 1: a carriage return outside quotes is not followed by a line feed");
    EXPECT_EQ(refusal("x\n\"a\"\r"), "row 2: a carriage return outside quotes is not followed by a line feed");
}

TEST(CsvReader, CountsRowsNotLines)
{
    EXPECT_EQ(refusal("\"a\nb\nc\",x\nok\nbad\"\n"), "row 3: a quote inside a value that does not start with one");
}

// A table is read from its file a piece at a time: wherever the pieces are cut (inside
// quotes, between CR and LF, between two quotes, before a closing quote), the rows and
// the refusals are those of the whole text.
TEST(CsvReader, ReadsATextCutAnywhereAsTheWholeText)
{
    const std::string texts[] = {
        written({{"a,b", "say \"hi\"", ""}, {"one\r\ntwo", "\"\""}, {"x"}}) + "\"last\",",
        "a\r\n\"x\ny\"\"\",\r\n,\n\nend",
        "\"a\"\r\n\"b\"c\r\n", "a\rb\n", "x\n\"a\"\r", "\"a\"\"", "a, \"b\"\n", "ok\n\"open\r\n",
    };
    const auto readInPieces = [](std::string_view text, std::size_t cut, std::size_t size) {
        std::vector<Row> rows;
        talvane::csv::RowReader reader(
            [&rows](const talvane::csv::RowValues& values) { rows.emplace_back(values.begin(), values.end()); });
        reader.read(text.substr(0, cut));
        for (std::size_t at = cut; at < text.size(); at += size)
            reader.read(text.substr(at, size));
        const auto failure = reader.finish();
        return failure ? std::vector<Row>{{*failure}} : rows;
    };
    for (const std::string& text : texts) {
        std::vector<Row> whole;
        if (const auto failure = talvane::csv::readRows(text, whole))
            whole = {{*failure}};
        EXPECT_EQ(readInPieces(text, 0, 1), whole) << text << ": a byte at a time";
        for (std::size_t cut = 1; cut < text.size(); ++cut)
            EXPECT_EQ(readInPieces(text, cut, text.size()), whole) << text << ": cut at " << cut;
    }
}
