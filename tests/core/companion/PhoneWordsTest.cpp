// The phone pages in the words the server is given: every text translated, its values
// filled in after, and everything escaped once filled.
#include "ServedCollection.h"

#include "collection/TreeIdentity.h"
#include "companion/CompanionPages.h"
#include "companion/PhoneWords.h"
#include "journal/CareRepeat.h"
#include "journal/DueTasks.h"

#include <gtest/gtest.h>

#include <map>

using namespace talvane::companion;
using namespace talvane::journal;

namespace {

// A few texts in a language of the test's own; the rest stays English. Some hold
// what a page must escape.
std::string TestWords(std::string_view english)
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

ServerOptions InTestWords()
{
    ServerOptions options;
    options.translate = TestWords;
    return options;
}

EntryList GardenWithAForeignJournal()
{
    EntryList entries = Garden();
    entries.push_back(Tree({{CBonsaiData::Name, "Pin <noir>"}, {talvane::kTreeIdField, kForeignId},
                            {kJournalField, "kept by another program"}}));
    return entries;
}

std::string Body(const httplib::Result& result, int status, const std::string& what)
{
    EXPECT_TRUE(result) << what;
    if (!result)
        return {};
    EXPECT_EQ(result->status, status) << what;
    return result->body;
}

bool Holds(const std::string& page, const std::string& text)
{
    return page.find(text) != std::string::npos;
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
    EXPECT_EQ(say(TestWords, "%1 of %2 trees", {"2", "9"}), "9 arbres, 2 montr\u00E9s");
    EXPECT_EQ(PhoneText("The form came back.").said(TestWords), "The form came back.");
    EXPECT_EQ(PhoneText("Due %1", {"<b>"}).said(TestWords), "Pr\u00E9vu le <b>") << "said, not yet escaped";
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
    ServedCollection served(GardenWithAForeignJournal(), InTestWords());
    auto phone = served.pairedPhone();

    const std::string trees = Body(phone->get("/trees"), 200, "the Trees page");
    EXPECT_TRUE(trees.starts_with("<!DOCTYPE html>\n<html lang=\"fr\">"));
    EXPECT_TRUE(Holds(trees, "<title>Arbres \u2014 Talvane</title>"));
    EXPECT_TRUE(Holds(trees, "<a href=\"/trees\" aria-current=\"page\">Arbres</a>")) << "the Trees page is current";
    EXPECT_TRUE(Holds(trees, "<h1>Arbres</h1>"));
    EXPECT_TRUE(Holds(trees, ">4 arbres, 4 montr\u00E9s \u00B7 ")) << "placeholders filled in the translation's order";
    EXPECT_TRUE(Holds(trees, "<span class=\"badge\">1 &lt;\u00E0 faire&gt;</span>")) << "a translation is escaped";
    EXPECT_FALSE(Holds(trees, "<\u00E0 faire>"));
    EXPECT_TRUE(Holds(trees, ">Find</button>")) << "a text with no translation stays English";
    EXPECT_TRUE(Holds(trees, "<strong>Pin &lt;noir&gt;</strong>"));

    const std::string tree = Body(phone->get(kMomijiPage), 200, "Momiji's page");
    EXPECT_TRUE(Holds(tree, "/log\">Noter un soin</a>"));
    const CalendarDate due = CalendarDate::today().plusDays(5);
    EXPECT_TRUE(Holds(tree, "<span>Ligature : Wired the apex</span><span class=\"when\">Pr\u00E9vu le <time datetime=\"" +
                                due.text() + "\">" + due.text() + "</time></span>"))
        << "the kind of care is said, the date's markup is left whole: " << tree;
    EXPECT_TRUE(Holds(tree, "<h2>Journal &amp; notes</h2>"));
    EXPECT_TRUE(Holds(tree, "<strong>Ligature</strong>"));

    const std::string log = Body(phone->get(kMomijiPage + "/log"), 200, "the Log care form");
    EXPECT_TRUE(Holds(log, "<option value=\"Wiring\">Ligature</option>")) << "the form sends the English kind";
    EXPECT_TRUE(Holds(log, "<option selected>Note</option>")) << "an untranslated kind needs no value of its own";
    const PageForm form = FormOnPage(log);
    const std::string refused =
        Body(phone->postMultipart(kMomijiPage + "/log", FormParts(form, {{"text", "no kind"}})), 400, "a form with no kind");
    EXPECT_TRUE(Holds(refused, "<h1>Non enregistr\u00E9</h1>"));
    EXPECT_TRUE(Holds(refused, "<p class=\"message\">Choisissez &lt;le&gt; soin. Rien n&#39;a chang\u00E9.</p>")) << refused;
    EXPECT_TRUE(Holds(refused, "/log\">Retour</a>"));
    EXPECT_EQ(served.host.changes(), 0);

    const std::string foreignPage = "/tree/" + std::string(kForeignId);
    const PageForm foreignForm = FormOnPage(Body(phone->get(foreignPage + "/log"), 200, "the foreign tree's form"));
    const std::string kept = Body(phone->postMultipart(foreignPage + "/log", FormParts(foreignForm, {{"kind", "Wiring"}})),
                                  403, "care for a journal kept by another program");
    EXPECT_TRUE(Holds(kept, "<p class=\"message\">Journal de \u00AB Pin &lt;noir&gt; \u00BB d&#39;un autre programme.</p>"))
        << "the host's message is said with the tree's name, escaped: " << kept;

    const auto logged = phone->postMultipart(kMomijiPage + "/log", FormParts(form, {{"kind", "Wiring"}}));
    ASSERT_TRUE(logged);
    EXPECT_EQ(logged->status, 303) << "the English kind the form sends is taken";
    EXPECT_EQ(served.host.changes(), 1);
}

TEST(PhoneWords, TheEnglishPagesSayNoTranslation)
{
    ServedCollection served(Garden());
    auto phone = served.pairedPhone();
    const std::string log = Body(phone->get(kMomijiPage + "/log"), 200, "the Log care form");
    EXPECT_TRUE(log.starts_with("<!DOCTYPE html>\n<html lang=\"en\">"));
    EXPECT_TRUE(Holds(log, "<option>Wiring</option>")) << "English options are their own values";
    EXPECT_FALSE(Holds(log, "value=\"Wiring\""));
    EXPECT_TRUE(Holds(Body(phone->get("/trees"), 200, "the Trees page"), ">3 of 3 trees \u00B7 "));
}
