// The help pages as shipped: the English page in data/hlp and one translation per
// language folder below it (data/hlp/fr/index.htm). Every link inside a page lands
// on one of its anchors, its stylesheet is found from where the page lies, and a
// translation keeps the English page's anchors, command lines and examples, so that
// a link into the help works whichever language it opens in.
#include "support/core/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kHelpFolder = fs::path(TALVANE_SOURCE_DIR) / "data" / "hlp";
const fs::path kEnglishPage = kHelpFolder / "index.htm";

std::vector<fs::path> translatedPages()
{
    std::vector<fs::path> pages;
    for (const auto& entry : fs::directory_iterator(kHelpFolder)) {
        if (entry.is_directory() && fs::is_regular_file(entry.path() / "index.htm"))
            pages.push_back(entry.path() / "index.htm");
    }
    std::sort(pages.begin(), pages.end());
    return pages;
}

// The values of one attribute, in page order: ` id="list"` gives "list".
std::vector<std::string> attributeValues(const std::string& page, std::string_view attribute)
{
    const std::string opening = " " + std::string(attribute) + "=\"";
    std::vector<std::string> values;
    for (auto at = page.find(opening); at != std::string::npos; at = page.find(opening, at + 1)) {
        const auto begin = at + opening.size();
        const auto end = page.find('"', begin);
        if (end == std::string::npos)
            break;
        values.push_back(page.substr(begin, end - begin));
    }
    return values;
}

// The texts of every element with that name, markup inside included, in page order.
std::vector<std::string> elementTexts(const std::string& page, std::string_view element)
{
    const std::string opening = "<" + std::string(element) + ">";
    const std::string closing = "</" + std::string(element) + ">";
    std::vector<std::string> texts;
    for (auto at = page.find(opening); at != std::string::npos; at = page.find(opening, at)) {
        const auto begin = at + opening.size();
        const auto end = page.find(closing, begin);
        if (end == std::string::npos)
            break;
        texts.push_back(page.substr(begin, end - begin));
        at = end;
    }
    return texts;
}

// Runs of white space read as one space, as a browser shows them.
std::string collapsed(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        const bool space = c == ' ' || c == '\n' || c == '\t';
        if (!space)
            out += c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::string languageOf(const std::string& page)
{
    const std::string opening = "<html lang=\"";
    const auto at = page.find(opening);
    if (at == std::string::npos)
        return {};
    const auto begin = at + opening.size();
    return page.substr(begin, page.find('"', begin) - begin);
}

bool isLinkOutside(const std::string& target)
{
    for (const std::string_view scheme : {"http://", "https://", "mailto:", "file:"}) {
        if (target.starts_with(scheme))
            return true;
    }
    return false;
}

class HelpPages : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fs::is_regular_file(kEnglishPage));
        translations = translatedPages();
        ASSERT_FALSE(translations.empty()) << "no translation of the help page below " << kHelpFolder;
        pages = translations;
        pages.insert(pages.begin(), kEnglishPage);
    }

    std::vector<fs::path> translations;
    std::vector<fs::path> pages;
};

} // namespace

TEST_F(HelpPages, EveryPageLinksOnlyToItsOwnAnchorsAndToFilesBesideIt)
{
    for (const auto& page : pages) {
        const std::string text = readFileBytes(page);
        const auto ids = attributeValues(text, "id");
        const std::set<std::string> anchors(ids.begin(), ids.end());
        EXPECT_EQ(anchors.size(), ids.size()) << page << " has an anchor twice";
        std::vector<std::string> targets = attributeValues(text, "href");
        const auto sources = attributeValues(text, "src");
        targets.insert(targets.end(), sources.begin(), sources.end());
        std::size_t internalLinks = 0;
        bool stylesheet = false;
        for (const auto& target : targets) {
            if (target.starts_with("#")) {
                ++internalLinks;
                EXPECT_TRUE(anchors.contains(target.substr(1))) << page << " links to the missing anchor " << target;
            } else if (!isLinkOutside(target)) {
                const fs::path file = page.parent_path() / target.substr(0, target.find('#'));
                EXPECT_TRUE(fs::is_regular_file(file)) << page << " refers to " << target << ", which is not there";
                stylesheet = stylesheet || file.filename() == "talvane.css";
            }
        }
        EXPECT_GT(internalLinks, 20u) << page << ": the contents alone link to every section";
        EXPECT_TRUE(stylesheet) << page << " does not use the help's stylesheet";
    }
}

TEST_F(HelpPages, ATranslationNamesItsLanguageAndKeepsTheAnchorsExamplesAndCommandLines)
{
    const std::string english = readFileBytes(kEnglishPage);
    EXPECT_EQ(languageOf(english), "en");
    const auto englishAnchors = attributeValues(english, "id");
    const auto englishExamples = elementTexts(english, "pre");
    ASSERT_GE(englishExamples.size(), 3u);
    std::vector<std::string> englishCommands;
    for (const auto& code : elementTexts(english, "code")) {
        if (code.starts_with("talvane") || code.starts_with("-"))
            englishCommands.push_back(collapsed(code));
    }
    ASSERT_GE(englishCommands.size(), 20u);

    for (const auto& page : translations) {
        const std::string translated = readFileBytes(page);
        EXPECT_EQ(languageOf(translated), page.parent_path().filename().string()) << page;
        EXPECT_EQ(attributeValues(translated, "id"), englishAnchors) << page << ": anchors in the English order";
        EXPECT_EQ(elementTexts(translated, "pre"), englishExamples) << page;
        std::set<std::string> codes;
        for (const auto& code : elementTexts(translated, "code"))
            codes.insert(collapsed(code));
        for (const auto& command : englishCommands)
            EXPECT_TRUE(codes.contains(command)) << page << " lacks the command line " << command;
    }
}
