// Feeds arbitrary bytes to what the phone companion reads from a request, without the
// HTTP library: the input is taken as form fields, one "name=value" a line, and read as
// the Log care form, a task's name, tree references and numbers of a path, and the
// first bytes of a photo; every value is also put in a link.
//   - a form that is read gives values the collection can hold, and its change, made on
//     a small collection, adds what it says and nothing else;
//   - a reference leads only to the tree that has exactly that reference;
//   - a link component holds only unreserved characters and escapes, and decodes back.
#include "core/collection/TreeIdentity.h"
#include "core/companion/CollectionSnapshot.h"
#include "core/companion/ApiJson.h"
#include "core/companion/PhoneChange.h"
#include "core/companion/PhoneForms.h"
#include "core/companion/PhonePictures.h"
#include "core/journal/Journal.h"
#include "core/picture/PhotoFormat.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace talvane::collection;

namespace {

using namespace talvane::companion;
using namespace talvane::journal;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "companion_forms_fuzzer: %s\n", what);
    std::abort();
}

const CalendarDate kToday = CalendarDate::fromText("2026-06-15").value();

// A tree with an identifier and a task due, and one named by its position.
const EntryList& collection()
{
    static const EntryList entries = [] {
        EntryList made;
        Journal journal = Journal::read("");
        journal.add({kToday.plusDays(-3), CareKind::Wiring, kToday.plusDays(4), {}, "Wired the apex", {}, {}, {}});
        made.push_back(std::make_unique<CBonsaiData>());
        (*made.back())[CBonsaiData::Name] = "Momiji";
        (*made.back())[kTreeIdField] = "0f8fad5b-d9cb-469f-a165-70867728950e";
        (*made.back())[kJournalField] = journal.text();
        made.push_back(std::make_unique<CBonsaiData>());
        (*made.back())[CBonsaiData::Name] = "Pine";
        (*made.back())[kJournalField] = journal.text();
        return made;
    }();
    return entries;
}

void checkLinkComponent(std::string_view text)
{
    const std::string encoded = urlComponent(text);
    std::string back;
    for (std::size_t at = 0; at < encoded.size(); ++at) {
        const char c = encoded[at];
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
            c == '.' || c == '~') {
            back += c;
            continue;
        }
        if (c != '%' || at + 2 >= encoded.size() || !std::isxdigit(static_cast<unsigned char>(encoded[at + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(encoded[at + 2])))
            fail("a link component holds a character that is not unreserved, nor an escape");
        back += static_cast<char>(std::stoi(std::string(encoded.substr(at + 1, 2)), nullptr, 16));
        at += 2;
    }
    if (back != text)
        fail("a link component does not decode back");
}

void checkReference(const CollectionSnapshot& snapshot, std::string_view ref)
{
    const auto found = findTreeByRef(snapshot.entries(), ref);
    if (found != snapshot.findTree(ref))
        fail("the snapshot and the collection lead a reference to different trees");
    if (found && (treeRefAt(snapshot.entries(), *found) != ref || !isTreeRefText(ref)))
        fail("a reference led to a tree whose reference it is not");
}

void checkIndex(std::string_view text)
{
    const auto index = readIndex(text, 6);
    if (index && (text.empty() || text.size() > 6 || std::to_string(*index).size() > text.size() ||
                  std::stoul(std::string(text)) != *index))
        fail("a number was read from what is not at most six digits");
}

// A change made on the collection adds one event, or marks the task done, or is refused.
void checkChange(const PhoneChange& change, std::size_t addedLines)
{
    const auto planned = planChange(collection(), change, "/nonexistent/Photos");
    const auto* plan = std::get_if<PlannedChange>(&planned);
    if (!plan)
        return;
    EntryList copy;
    for (const auto& entry : collection())
        copy.push_back(copyEntry(*entry));
    const std::size_t position = plan->entries.front().position;
    const std::size_t before = Journal::read((*copy[position])[kJournalField]).lines().size();
    applyPlannedValues(copy, *plan);
    const Journal after = Journal::read((*copy[position])[kJournalField]);
    if (after.isForeign() || after.lines().size() != before + addedLines || after.unreadableLineCount() != 0)
        fail("a change from the phone did not add exactly its lines to the journal");
    if (!findTreeByRef(copy, appliedOutcome(copy, *plan).treeRef))
        fail("the changed tree cannot be found by the reference the phone is sent to");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    FormFields fields;
    for (std::size_t at = 0; at <= input.size();) {
        const std::size_t end = std::min(input.find('\n', at), input.size());
        const std::string_view line = input.substr(at, end - at);
        const std::size_t equals = std::min(line.find('='), line.size());
        fields.emplace(std::string(line.substr(0, equals)), std::string(line.substr(std::min(equals + 1, line.size()))));
        at = end + 1;
    }
    static const CollectionSnapshot snapshot(collection(), "fuzz.tvn", "/nonexistent/Album", "/nonexistent/Photos");

    for (const auto& [name, value] : fields) {
        checkLinkComponent(value);
        checkReference(snapshot, value);
        checkIndex(value);
    }

    const std::string ref = fieldValue(fields, "tree");
    const auto care = readLoggedCare(fields, ref, kToday, inEnglish);
    if (const auto* logged = std::get_if<LoggedCare>(&care)) {
        if (logged->due && *logged->due < kToday)
            fail("a due date before today was taken");
        if (logged->measurements.size() > kMeasureKinds.size())
            fail("more measurements than kinds were taken");
        for (const Measurement& measurement : logged->measurements)
            if (!isAmount(measurement.amount))
                fail("a measurement was taken with an amount that is not one");
        if (logged->text.size() > kMaxEventText)
            fail("a text longer than an event may hold was taken");
        checkChange(*logged, 1);
    }
    if (const auto task = readTaskName(fieldValue(fields, "task"))) {
        if (!isTreeRefText(task->treeRef) || task->line > 999999 || task->check.size() != 32)
            fail("a task was named without a tree, a line and a check");
        checkChange(DoneTask{task->treeRef, task->line, task->check, kToday, {}}, 1);
    }
    std::string extension;
    const std::string type = sniffPhotoType(input.substr(0, talvane::picture::kPhotoHeadBytes), &extension);
    if (type.empty() != extension.empty() || (!type.empty() && (!type.starts_with("image/") || extension[0] != '.')))
        fail("a photo type came without its extension");
    if (size >= talvane::picture::kPhotoHeadBytes && sniffPhotoType(input) != type)
        fail("a photo's type depends on more than its first bytes");
    return 0;
}
