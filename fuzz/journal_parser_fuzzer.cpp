// Feeds arbitrary bytes to the care journal reader as a tree's field text. Whatever
// the text, it must write back to the same bytes; a journal must keep every line it
// cannot read through an edit, and a foreign text must refuse edits. The quick count
// of due tasks, the collection list's count of timeline photos and its filter must
// agree with the events read whole.
#include "core/journal/DueTasks.h"
#include "core/journal/Journal.h"
#include "core/search/JournalWord.h"
#include "core/timeline/TimelinePhoto.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

using namespace talvane::journal;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "journal_parser_fuzzer: %s\n", what);
    std::abort();
}

// The status bar's count, which reads only what it must, agrees with the events read whole.
void checkQuickCount(std::string_view field, const Journal& journal)
{
    const CalendarDate today = CalendarDate::fromText("2026-06-15").value();
    CBonsaiData tree;
    tree[kJournalField] = field;
    for (const int within : {0, 30, 4000}) {
        const CalendarDate last = today.plusDays(within);
        std::size_t due = 0;
        for (const auto& line : journal.lines())
            due += line.event && line.event->due && *line.event->due <= last ? 1 : 0;
        if (countDueTasks(tree, today, within) != due)
            fail("the quick count of due tasks differs from the events read whole");
    }
}

// The list reads only the lines it must, to count photos and to find a word.
void checkListLooks(std::string_view field, const Journal& journal)
{
    if (talvane::timeline::timelinePhotoCount(field) != talvane::timeline::timelinePhotos(journal).size())
        fail("the list's photo count differs from the timeline's photos");
    for (const char* word : {"e", "not", "a\\b"}) {
        const talvane::search::FoldedWord folded(word);
        bool inEvents = false;
        for (const auto& line : journal.lines())
            inEvents = inEvents || (line.event && (folded.foundIn(line.event->text) ||
                                                   folded.foundIn(careKindName(line.event->kind))));
        if (talvane::search::JournalWord(folded, talvane::text::inEnglish).foundIn(field) != inEvents)
            fail("the filter's look at the journal differs from the events read whole");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view field(reinterpret_cast<const char*>(data), size);
    Journal journal = Journal::read(field);
    if (journal.text() != field)
        fail("writing what was read changed the bytes");
    checkQuickCount(field, journal);
    checkListLooks(field, journal);
    const CareEvent added{CalendarDate::fromText("2026-12-24").value(), CareKind::Note, std::nullopt, {}, "a\\b\tc\r\n", {}, {}};
    if (journal.add(added) == journal.isForeign())
        fail("an edit was refused by a journal or taken by a foreign text");
    if (journal.isForeign())
        return 0;
    const Journal edited = Journal::read(journal.text());
    if (edited.text() != journal.text() || edited.unreadableLineCount() != journal.unreadableLineCount())
        fail("an edited journal did not read back as written");
    if (edited.lines().empty() || edited.lines().back().event != added)
        fail("the added event was lost");
    for (const auto& numbered : edited.newestFirst())
        if (!edited.lines()[numbered.line].event)
            fail("an event points at an unreadable line");
    return 0;
}
