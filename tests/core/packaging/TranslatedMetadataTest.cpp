// What a desktop shows of Talvane before it runs, the applications menu's entry, the
// file type's name and the software centre's page, comes in every language the
// program speaks: each text written in English has a translation beside it.
#include "support/core/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

const std::filesystem::path kPackaging = std::filesystem::path(TALVANE_SOURCE_DIR) / "packaging";
const std::vector<std::string> kLanguages = {"fr"};

// "Key=value" or "Key[fr]=value" lines of the desktop entry, as key and locale.
std::set<std::pair<std::string, std::string>> desktopKeys()
{
    std::set<std::pair<std::string, std::string>> keys;
    std::istringstream lines(readFileBytes(kPackaging / "talvane.desktop"));
    for (std::string line; std::getline(lines, line);) {
        const auto equals = line.find('=');
        if (line.empty() || line.front() == '[' || line.front() == '#' || equals == std::string::npos)
            continue;
        const std::string name = line.substr(0, equals);
        const auto bracket = name.find('[');
        if (bracket == std::string::npos)
            keys.emplace(name, "");
        else
            keys.emplace(name.substr(0, bracket), name.substr(bracket + 1, name.size() - bracket - 2));
        EXPECT_FALSE(line.substr(equals + 1).empty()) << line;
    }
    return keys;
}

std::size_t count(const std::string& text, std::string_view what)
{
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++count;
    return count;
}

} // namespace

TEST(TranslatedMetadata, TheMenuEntryTheFileTypeAndTheSoftwareCentresPageHaveEachLanguage)
{
    const auto keys = desktopKeys();
    ASSERT_TRUE(keys.contains({"Exec", ""})) << "the desktop entry was not read";
    for (const std::string key : {"Name", "GenericName", "Comment", "Keywords"}) {
        ASSERT_TRUE(keys.contains({key, ""})) << key;
        for (const auto& language : kLanguages)
            EXPECT_TRUE(keys.contains({key, language})) << key << "[" << language << "] is missing";
    }
    for (const auto& [key, language] : keys)
        EXPECT_TRUE(language.empty() || keys.contains({key, ""})) << key << "[" << language << "] translates nothing";

    const std::string mime = readFileBytes(kPackaging / "talvane-mime.xml");
    const std::string metainfo = readFileBytes(kPackaging / "talvane.metainfo.xml.in");
    const std::pair<const std::string&, std::string> elements[] = {
        {mime, "comment"}, {metainfo, "name"}, {metainfo, "summary"}, {metainfo, "p"}, {metainfo, "li"}, {metainfo, "caption"}};
    for (const auto& [file, element] : elements) {
        const std::size_t english = count(file, "<" + element + ">");
        EXPECT_GT(english, 0u) << element;
        for (const auto& language : kLanguages)
            EXPECT_EQ(count(file, "<" + element + " xml:lang=\"" + language + "\">"), english)
                << "every <" << element << "> needs one in " << language;
    }
}
