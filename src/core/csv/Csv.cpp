#include "core/csv/Csv.h"

#include <algorithm>

namespace talvane::csv {
namespace {

constexpr char kQuote = '"';

bool needsQuotes(std::string_view value) { return value.find_first_of("\",\r\n") != std::string_view::npos; }

void appendQuoted(std::string& out, std::string_view value)
{
    out += kQuote;
    for (char c : value) {
        if (c == kQuote)
            out += kQuote;
        out += c;
    }
    out += kQuote;
}

// Reads rows one value at a time; between calls the position is always at the
// start of a value or at the end of the text.
class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    std::optional<std::string> readAll(std::vector<Row>& rows)
    {
        for (; m_pos < m_text.size(); ++m_row) {
            Row row;
            if (auto failure = readRow(row))
                return failure;
            rows.push_back(std::move(row));
        }
        return std::nullopt;
    }

private:
    std::optional<std::string> readRow(Row& row)
    {
        for (;;) {
            std::string value;
            auto failure = at(kQuote) ? readQuoted(value) : readPlain(value);
            if (failure)
                return failure;
            row.push_back(std::move(value));
            if (m_pos == m_text.size() || skipRowEnd())
                return std::nullopt;
            if (at('\r'))
                return problem("a carriage return outside quotes is not followed by a line feed");
            // An unquoted value only stops at a comma or a row end, so this follows a quoted one.
            if (!at(','))
                return problem("text follows the closing quote of a value");
            ++m_pos;
        }
    }

    std::optional<std::string> readPlain(std::string& value)
    {
        const auto end = std::min(m_text.find_first_of("\",\r\n", m_pos), m_text.size());
        if (end < m_text.size() && m_text[end] == kQuote)
            return problem("a quote inside a value that does not start with one");
        value = m_text.substr(m_pos, end - m_pos);
        m_pos = end;
        return std::nullopt;
    }

    std::optional<std::string> readQuoted(std::string& value)
    {
        ++m_pos;
        for (;;) {
            const auto quote = m_text.find(kQuote, m_pos);
            if (quote == std::string_view::npos)
                return problem("a quoted value is not closed before the end of the file");
            value.append(m_text.substr(m_pos, quote - m_pos));
            m_pos = quote + 1;
            if (!at(kQuote))
                return std::nullopt;
            // A doubled quote stands for one quote inside the value.
            value += kQuote;
            ++m_pos;
        }
    }

    bool at(char c) const { return m_pos < m_text.size() && m_text[m_pos] == c; }

    bool skipRowEnd()
    {
        if (m_text.substr(m_pos).starts_with("\r\n"))
            m_pos += 2;
        else if (at('\n'))
            ++m_pos;
        else
            return false;
        return true;
    }

    std::string problem(const char* what) const { return "row " + std::to_string(m_row) + ": " + what; }

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_row = 1;
};

} // namespace

void appendRow(std::string& out, const Row& row)
{
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0)
            out += ',';
        if (needsQuotes(row[i]))
            appendQuoted(out, row[i]);
        else
            out += row[i];
    }
    out += "\r\n";
}

std::optional<std::string> readRows(std::string_view text, std::vector<Row>& rows)
{
    std::vector<Row> read;
    if (auto failure = Reader(text).readAll(read))
        return failure;
    rows = std::move(read);
    return std::nullopt;
}

} // namespace talvane::csv
