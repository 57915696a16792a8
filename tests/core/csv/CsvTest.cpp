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
