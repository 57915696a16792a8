#include "Commands.h"

#include "core/collection/TreeIdentity.h"
#include "core/search/EntryOrder.h"
#include "core/text/Windows1252.h"

#include <iostream>
#include <optional>

using namespace talvane::collection;

namespace {

// Words typed on a terminal arrive in UTF-8; the collection holds Windows-1252. A word
// with a character that Windows-1252 cannot hold is in no entry: nothing is given then.
std::optional<std::string> filterFromWords(const std::vector<std::string>& words)
{
    std::string filter;
    for (const auto& word : words) {
        const auto converted = talvane::text::utf8ToCp1252Strict(word);
        if (!converted)
            return std::nullopt;
        filter += *converted + ' ';
    }
    return filter;
}

void find(const std::string& file, const std::vector<std::string>& words, bool withIds)
{
    const EntryList entries = loadCollectionOrFail(file);
    const auto filter = filterFromWords(words);
    const auto found = filter ? talvane::search::findEntries(entries, talvane::search::EntryMatcher(*filter)) : std::vector<std::size_t>{};
    const auto treeIds = withIds ? talvane::collection::treeIds(entries) : std::vector<std::string_view>{};
    for (const std::size_t position : found) {
        std::cout << position << '\t';
        if (withIds)
            std::cout << treeIds[position] << '\t';
        std::cout << printedText((*entries[position])[CBonsaiData::Name]) << '\n';
    }
    if (found.empty())
        throw CliExit{kFindNoMatchStatus};
}

} // namespace

void addFindCommand(CLI::App& app)
{
    auto* command = app.add_subcommand(
        "find", "Print the position and name of each entry in which every word appears in a named field "
                "or in the journal's events, ignoring case and accents; exit status 2 when none does");
    auto file = std::make_shared<std::string>();
    auto words = std::make_shared<std::vector<std::string>>();
    auto withIds = std::make_shared<bool>(false);
    command->add_option("FILE", *file, "the collection file")->required();
    command->add_option("WORD", *words, "the words to look for")->required();
    command->add_flag("--ids", *withIds,
                      "print position<TAB>id<TAB>name: each tree's identifier between, empty when it has none");
    command->callback([file, words, withIds] { find(*file, *words, *withIds); });
}
