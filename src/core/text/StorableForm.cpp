#include "core/text/StorableForm.h"

#include "core/text/PlainFormTables.h"
#include "core/text/Windows1252.h"

#include <algorithm>
#include <optional>

namespace talvane::text {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isCombiningMark(char32_t codePoint)
{
    const auto& marks = combiningMarks();
    const auto after = std::upper_bound(marks.begin(), marks.end(), codePoint,
                                        [](char32_t point, const CodeRange& range) { return point < range.first; });
    return after != marks.begin() && codePoint <= std::prev(after)->last;
}

std::vector<char32_t> decomposed(char32_t codePoint)
{
    const auto& table = decompositions();
    const auto found = std::lower_bound(table.begin(), table.end(), codePoint,
                                        [](const Decomposition& entry, char32_t point) { return entry.codePoint < point; });
    if (found != table.end() && found->codePoint == codePoint)
        return found->decomposed;
    return {codePoint};
}

// The one character of the code page that `points` compose to.
std::optional<unsigned char> composedStorable(const std::vector<char32_t>& points)
{
    if (points.size() == 1)
        return codePointToCp1252(points.front());
    for (const Decomposition& entry : storableDecompositions())
        if (entry.decomposed == points)
            return codePointToCp1252(entry.codePoint);
    return std::nullopt;
}

// The storable character a cluster composes to once as few of its trailing marks as
// needed are dropped.
std::optional<unsigned char> plainForm(const std::vector<char32_t>& cluster)
{
    std::vector<char32_t> points;
    for (const char32_t point : cluster) {
        const auto parts = decomposed(point);
        points.insert(points.end(), parts.begin(), parts.end());
    }
    for (; !points.empty(); points.pop_back())
        if (const auto byte = composedStorable(points))
            return byte;
    return std::nullopt;
}

std::string utf8Of(const std::vector<char32_t>& points)
{
    std::string out;
    for (const char32_t point : points)
        appendUtf8(out, point);
    return out;
}

} // namespace

const StorableChange* StorableForm::firstLeftOut() const
{
    const auto found = std::find_if(changes.begin(), changes.end(),
                                    [](const StorableChange& change) { return change.stored.empty(); });
    return found == changes.end() ? nullptr : &*found;
}

StorableForm makeStorable(std::string_view utf8)
{
    std::vector<char32_t> points;
    for (std::size_t at = 0; at < utf8.size();)
        points.push_back(nextCodePoint(utf8, at).value_or(kReplacement));

    StorableForm form;
    for (std::size_t at = 0; at < points.size();) {
        std::size_t end = at + 1;
        while (end < points.size() && isCombiningMark(points[end]))
            ++end;
        const std::vector<char32_t> cluster(points.begin() + static_cast<std::ptrdiff_t>(at),
                                            points.begin() + static_cast<std::ptrdiff_t>(end));
        std::string kept;
        for (const char32_t point : cluster)
            if (const auto byte = codePointToCp1252(point))
                kept += static_cast<char>(*byte);
        if (kept.size() == cluster.size()) {
            form.cp1252 += kept;
        } else {
            const auto plain = plainForm(cluster);
            const std::string stored = plain ? std::string(1, static_cast<char>(*plain)) : std::string();
            form.cp1252 += stored;
            form.changes.push_back({utf8Of(cluster), cp1252ToUtf8(stored)});
        }
        at = end;
    }
    return form;
}

} // namespace talvane::text
