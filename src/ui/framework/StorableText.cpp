#include "ui/framework/StorableText.h"

#include "core/text/Windows1252.h"

#include <algorithm>

namespace {

qsizetype codePointLength(const QString& text, qsizetype at)
{
    return text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate() ? 2 : 1;
}

char32_t codePointAt(const QString& text, qsizetype at)
{
    return codePointLength(text, at) == 2 ? QChar::surrogateToUcs4(text[at], text[at + 1]) : text[at].unicode();
}

bool isCombiningMark(char32_t codePoint)
{
    switch (QChar::category(codePoint)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return false;
    }
}

bool storable(const QString& cluster)
{
    for (qsizetype at = 0; at < cluster.size(); at += codePointLength(cluster, at)) {
        if (!talvane::text::codePointToCp1252(codePointAt(cluster, at)))
            return false;
    }
    return true;
}

// The one storable character a cluster composes to once as few of its trailing marks
// as needed are dropped; empty when there is none.
QString plainForm(const QString& cluster)
{
    const QString decomposed = cluster.normalized(QString::NormalizationForm_D);
    for (qsizetype length = decomposed.size(); length > 0; --length) {
        const QString composed = decomposed.left(length).normalized(QString::NormalizationForm_C);
        if (composed.size() == codePointLength(composed, 0) && storable(composed))
            return composed;
    }
    return {};
}

} // namespace

StorableText::StorableText(const QString& typed) : m_typed(typed)
{
    qsizetype at = 0;
    while (at < typed.size()) {
        qsizetype end = at + codePointLength(typed, at);
        while (end < typed.size() && isCombiningMark(codePointAt(typed, end)))
            end += codePointLength(typed, end);
        const QString cluster = typed.mid(at, end - at);
        if (!storable(cluster))
            m_changes.push_back({at, end - at, plainForm(cluster)});
        at = end;
    }
}

QString StorableText::text() const
{
    QString out = m_typed;
    for (auto change = m_changes.rbegin(); change != m_changes.rend(); ++change)
        out.replace(change->offset, change->length, change->replacement);
    return out;
}

qsizetype StorableText::mapPosition(qsizetype position) const
{
    qsizetype shift = 0;
    for (const Change& change : m_changes) {
        if (position <= change.offset)
            break;
        if (position < change.offset + change.length)
            return change.offset + shift + change.replacement.size();
        shift += change.replacement.size() - change.length;
    }
    return position + shift;
}

QString StorableText::message() const
{
    const auto refused = std::find_if(m_changes.begin(), m_changes.end(),
                                      [](const Change& change) { return change.replacement.isEmpty(); });
    const auto character = [this](const Change& change) { return m_typed.mid(change.offset, change.length); };
    // One substitution step: a typed "%1" stays as it is.
    if (refused != m_changes.end())
        return tr("\u201C%1\u201D cannot be stored in a Talvane collection").arg(character(*refused));
    if (m_changes.empty())
        return {};
    const Change& first = m_changes.front();
    return tr("\u201C%1\u201D was changed to \u201C%2\u201D: a Talvane collection cannot store \u201C%1\u201D")
        .arg(character(first), first.replacement);
}
