// The phone pages in the words the server is given: every text translated, its values
// filled in after, and given as it is said, for the pages to show as text.
#include "ServedCollection.h"

#include "core/collection/TreeIdentity.h"
#include "core/companion/PhoneWords.h"
#include "core/journal/CareRepeat.h"
#include "core/journal/DueTasks.h"

#include <gtest/gtest.h>

#include <map>

using namespace talvane::collection;

using namespace talvane::companion;
using namespace talvane::journal;

namespace {

// A few texts in a language of the test's own; the rest stays English. Some hold
// markup, which the pages show as text.
std::string testWords(std::string_view english)
{
    static const std::map<std::string, std::string, std::less<>> kWords = {
        {"en", "fr"},
        {"Trees", "Arbres"},
        {"%1 of %2 trees", "%2 arbres, %1 montr\u00E9s"},
        {"%1 due", "%1 <\u00E0 faire>"},
        {"Log care", "Noter un soin"},
        {"Due %1", "Pr\u00E9vu le %1"},
        {"Wiring", "Ligature"},
        {"%1: %2", "%1 : %2"},
        {"Journal", "Journal & notes"},
        {"Not saved", "Non enregistr\u00E9"},
        {"Back", "Retour"},
        {"Choose the kind of care.", "Choisissez <le> soin."},
        {"%1 Nothing was changed.", "%1 Rien n'a chang\u00E9."},
        {"The journal of \u201C%1\u201D was written by another program: it is kept as it is and cannot be changed "
         "from the phone. Nothing was changed.",
         "Journal de \u00AB %1 \u00BB d'un autre programme."},
    };
    const auto found = kWords.find(english);
    return found == kWords.end() ? std::string(english) : found->second;
}

constexpr char kForeignId[] = "6a1e3c1f-64d2-4e0b-9b3a-2f1d7c5e8a90";

ServerOptions inTestWords()
{
    ServerOptions options;
    options.translate = testWords;
    return options;
}

EntryList gardenWithAForeignJournal()
{
    EntryList entries = garden();
    entries.push_back(tree({{CBonsaiData::Name, "Pin <noir>"}, {kTreeIdField, kForeignId},
                            {kJournalField, "kept by another program"}}));
    return entries;
}

// What the server's words say of one text of the pages.
std::string said(const nlohmann::json& words, const std::string& english)
{
    return words["texts"].value(english, "(not in the catalogue)");
}

std::string kindLabel(const nlohmann::json& words, const std::string& kind)
{
    for (const auto& listed : words["kinds"])
        if (listed["kind"] == kind)
            return listed["label"];
    return "(no such kind)";
}

} // namespace

TEST(PhoneWords, PlaceholdersAreFilledOnceWhateverTheirOrderAndValues)
{
    EXPECT_EQ(fillPlaceholders("%2 then %1", {"a%2", "b"}), "b then a%2") << "a value is never read again";
    EXPECT_EQ(fillPlaceholders("%1 of %3", {"x"}), "x of %3") << "a placeholder with no value stays";
    EXPECT_EQ(fillPlaceholders("100% sure, %0 and %", {"x"}), "100% sure, %0 and %");
    EXPECT_EQ(fillPlaceholders("%%1%1", {"x"}), "%xx");
    EXPECT_EQ(fillPlaceholders("%9", {"1", "2", "3", "4", "5", "6", "7", "8", "nine"}), "nine");
    EXPECT_EQ(say(PhoneWords(), "%1 left", {"3"}), "3 left") << "no words say the English";
    EXPECT_EQ(say(testWords, "%1 of %2 trees", {"2", "9"}), "9 arbres, 2 montr\u00E9s");
    EXPECT_EQ(PhoneText("The form came back.").said(testWords), "The form came back.");
    EXPECT_EQ(PhoneText("Due %1", {"<b>"}).said(testWords), "Pr\u00E9vu le <b>") << "said, not yet escaped";
}

TEST(PhoneWords, RepeatsAndDueCountsAreSaidInTheWordsGivenMonthsAndNumbersIncluded)
{
    const auto words = [](std::string_view english) -> std::string {
        static const std::map<std::string, std::string, std::less<>> kWords = {
            {"every %1 weeks", "toutes les %1 semaines"}, {"every year", "chaque ann\u00E9e"}, {"%1 in %2", "%1 en %2"},
            {"%1, %2 to %3", "%1, de %2 \u00E0 %3"},      {"November", "novembre"},           {"February", "f\u00E9vrier"},
            {"%1 care tasks", "%1 soins"},                 {"1 day", "1 jour"},                {"%1 due in the next %2", "%2 : %1"},
        };
        const auto found = kWords.find(english);
        return found == kWords.end() ? std::string(english) : found->second;
    };
    EXPECT_EQ(repeatText({12, RepeatUnit::Week, MonthSpan{11, 2}}, words), "toutes les 12 semaines, de novembre \u00E0 f\u00E9vrier");
    EXPECT_EQ(repeatText({1, RepeatUnit::Year, MonthSpan{3, 3}}, words), "chaque ann\u00E9e en March") << "an untranslated month stays";
    EXPECT_EQ(dueSummary(17, 1, words), "1 jour : 17 soins");
    EXPECT_EQ(dueSummary(1, -3, words), "0 days : 1 care task") << "untranslated counts stay English";
}

TEST(PhoneWords, TheTreesPageATreeAndARefusalSpeakTheServersWords)
{
    ServedCollection served(gardenWithAForeignJournal(), inTestWords());
    auto phone = served.pairedPhone();

    EXPECT_EQ(jsonAnswer(phone->get("/api/session"), 200, "the session")["language"], "fr");
    const auto words = jsonAnswer(phone->get("/api/words"), 200, "the words");
    ASSERT_TRUE(words.is_object());
    EXPECT_EQ(words["language"], "fr");
    EXPECT_EQ(said(words, "Trees"), "Arbres");
    EXPECT_EQ(said(words, "%1 due"), "%1 <\u00E0 faire>") << "said as it is, for the page to show as text";
    EXPECT_EQ(said(words, "Journal"), "Journal & notes");
    EXPECT_EQ(said(words, "Due %1"), "Pr\u00E9vu le %1") << "placeholders are left for the page to fill";
    EXPECT_EQ(said(words, "Find"), "Find") << "a text with no translation stays English";
    EXPECT_EQ(kindLabel(words, "Wiring"), "Ligature") << "the form sends the English kind, and shows its label";
    EXPECT_EQ(kindLabel(words, "Note"), "Note");

    const auto trees = jsonAnswer(phone->get("/api/trees?q=pin"), 200, "the trees found");
    EXPECT_EQ(trees["summary"], "4 arbres, 2 montr\u00E9s") << "placeholders filled in the translation's order";
    ASSERT_EQ(trees["trees"].size(), 2u);
    EXPECT_EQ(trees["trees"][0]["name"], "Pin <noir>");

    const auto tree = jsonAnswer(phone->get(kMomijiApi), 200, "Momiji");
    const auto& wiring = tree["events"][1];
    EXPECT_EQ(wiring["kind"], "Wiring");
    EXPECT_EQ(wiring["kindLabel"], "Ligature");
    EXPECT_EQ(wiring["due"], CalendarDate::today().plusDays(5).text()) << "a date is left as it is";
    EXPECT_TRUE(tree["journalShown"]);

    const std::string refused =
        expectRefusal(phone->postMultipart(kMomijiEvents, formParts({{"text", "no kind"}})), 422, "", "a form with no kind");
    EXPECT_EQ(refused, "Choisissez <le> soin. Rien n'a chang\u00E9.");
    EXPECT_EQ(served.host.changes(), 0);

    const std::string foreign = kForeignId;
    const auto foreignTree = jsonAnswer(phone->get(treeApi(foreign)), 200, "the foreign tree");
    EXPECT_FALSE(foreignTree["journalShown"]);
    EXPECT_TRUE(foreignTree["events"].empty());
    const std::string kept = expectRefusal(phone->postMultipart(eventsApi(foreign), formParts({{"kind", "Wiring"}})), 403,
                                           "", "care for a journal kept by another program");
    EXPECT_EQ(kept, "Journal de \u00AB Pin <noir> \u00BB d'un autre programme.") << "said with the tree's name";

    const auto logged = jsonAnswer(phone->postMultipart(kMomijiEvents, formParts({{"kind", "Wiring"}})), 201, "logged");
    EXPECT_EQ(logged["event"]["kindLabel"], "Ligature") << "the English kind the form sends is taken";
    EXPECT_EQ(served.host.changes(), 1);
}

TEST(PhoneWords, TheEnglishPagesSayNoTranslation)
{
    ServedCollection served(garden());
    auto phone = served.pairedPhone();
    const auto words = jsonAnswer(phone->get("/api/words"), 200, "the words");
    ASSERT_TRUE(words.is_object());
    EXPECT_EQ(words["language"], "en");
    EXPECT_EQ(kindLabel(words, "Wiring"), "Wiring") << "English kinds are their own labels";
    EXPECT_EQ(said(words, "Trees"), "Trees");
    EXPECT_EQ(jsonAnswer(phone->get("/api/trees"), 200, "the trees")["summary"], "3 of 3 trees");
    EXPECT_EQ(jsonAnswer(phone->get("/api/trees?q=pin"), 200, "the trees found")["summary"], "1 of 3 trees");
}
