#include "core/csv/Csv.h"

#include <algorithm>
#include <array>

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

// Where an unquoted value starting at `from` stops: at a comma, a quote, CR or LF, or
// at the end of the piece. Looked up by table: most values are short or empty.
std::size_t plainEnd(std::string_view piece, std::size_t from)
{
    static constexpr auto kStops = [] {
        std::array<bool, 256> stops{};
        for (unsigned char c : std::string_view("\",\r\n"))
            stops[c] = true;
        return stops;
    }();
    while (from < piece.size() && !kStops[static_cast<unsigned char>(piece[from])])
        ++from;
    return from;
}

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
    RowReader reader([&read](const RowValues& values) { read.emplace_back(values.begin(), values.end()); });
    reader.read(text);
    if (auto failure = reader.finish())
        return failure;
    rows = std::move(read);
    return std::nullopt;
}

void RowReader::read(std::string_view piece)
{
    std::size_t pos = 0;
    while (pos < piece.size()) {
        const char c = piece[pos];
        switch (m_state) {
        case State::RowStart:
        case State::ValueStart:
            if (c == kQuote)
                ++pos;
            m_state = c == kQuote ? State::Quoted : State::Plain;
            break;
        case State::Plain: {
            const std::size_t end = plainEnd(piece, pos);
            m_bytes.append(piece.substr(pos, end - pos));
            pos = end;
            if (pos == piece.size())
                break;
            if (piece[pos] == kQuote)
                return refuse("a quote inside a value that does not start with one");
            endValueAt(piece[pos++]);
            break;
        }
        case State::Quoted: {
            const std::size_t quote = std::min(piece.find(kQuote, pos), piece.size());
            m_bytes.append(piece.substr(pos, quote - pos));
            pos = quote;
            if (pos < piece.size()) {
                ++pos;
                m_state = State::AfterQuote;
            }
            break;
        }
        case State::AfterQuote:
            ++pos;
            // A doubled quote stands for one quote inside the value.
            if (c == kQuote) {
                m_bytes += kQuote;
                m_state = State::Quoted;
            } else if (!endValueAt(c)) {
                return refuse("text follows the closing quote of a value");
            }
            break;
        case State::CarriageReturn:
            if (c != '\n')
                return refuse("a carriage return outside quotes is not followed by a line feed");
            ++pos;
            endRow();
            break;
        case State::Refused:
            return;
        }
    }
}

std::optional<std::string> RowReader::finish()
{
    switch (m_state) {
    case State::RowStart:
        break;
    case State::ValueStart:
    case State::Plain:
    case State::AfterQuote:
        m_ends.push_back(m_bytes.size());
        endRow();
        break;
    case State::Quoted:
        refuse("a quoted value is not closed before the end of the file");
        break;
    case State::CarriageReturn:
        refuse("a carriage return outside quotes is not followed by a line feed");
        break;
    case State::Refused:
        break;
    }
    return m_refusal;
}

bool RowReader::endValueAt(char c)
{
    if (c != ',' && c != '\r' && c != '\n')
        return false;
    m_ends.push_back(m_bytes.size());
    if (c == ',')
        m_state = State::ValueStart;
    else if (c == '\r')
        m_state = State::CarriageReturn;
    else
        endRow();
    return true;
}

void RowReader::endRow()
{
    m_values.clear();
    std::size_t start = 0;
    for (const std::size_t end : m_ends) {
        m_values.push_back(std::string_view(m_bytes).substr(start, end - start));
        start = end;
    }
    m_sink(m_values);
    m_bytes.clear();
    m_ends.clear();
    m_state = State::RowStart;
    ++m_row;
}

void RowReader::refuse(const char* what)
{
    m_refusal = "row " + std::to_string(m_row) + ": " + what;
    m_state = State::Refused;
}

} // namespace talvane::csv
