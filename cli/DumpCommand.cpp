#include "Commands.h"

#include "core/collection/FieldCatalogue.h"
#include "core/collection/TreeIdentity.h"
#include "core/garden/Place.h"
#include "core/text/Windows1252.h"

#include <iostream>
#include <nlohmann/json.hpp>

using namespace talvane::collection;

namespace {

// The tree's place as read from its field, which the spare fields also show as stored.
nlohmann::ordered_json placeToJson(const CBonsaiData& entry)
{
    const auto place = talvane::garden::placeOf(entry);
    if (!place)
        return nullptr;
    return {{"name", talvane::text::cp1252ToUtf8(place->name)},
            {"kind", std::string(talvane::garden::placeKindKey(place->kind))},
            {"shelter", place->shelter}};
}

nlohmann::ordered_json entryToJson(const CBonsaiData& entry, std::string_view treeId)
{
    nlohmann::ordered_json object;
    nlohmann::ordered_json spare = nlohmann::ordered_json::object();
    for (const auto& field : allFields()) {
        const auto value = talvane::text::cp1252ToUtf8(entry[field.index]);
        if (!field.isSpare())
            object[std::string(field.name)] = value;
        else if (!entry[field.index].empty())
            spare[std::to_string(field.index)] = value;
    }
    object["spare"] = std::move(spare);
    object["id"] = std::string(treeId);
    object["place"] = placeToJson(entry);
    return object;
}

void Dump(const std::string& file)
{
    const EntryList entries = loadCollectionOrFail(file);
    const auto treeIds = talvane::collection::treeIds(entries);
    nlohmann::ordered_json entriesJson = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < entries.size(); ++i)
        entriesJson.push_back(entryToJson(*entries[i], treeIds[i]));
    std::cout << nlohmann::ordered_json{{"entries", std::move(entriesJson)}}.dump(2) << '\n';
}

} // namespace

void addDumpCommand(CLI::App& app)
{
    auto* command = app.add_subcommand("dump", "Print a collection (.tvn) as JSON: the named fields, the non-empty spare ones, "
                                             "the tree's identifier (empty when it has none) and its place (null when it has none)");
    auto file = std::make_shared<std::string>();
    command->add_option("FILE", *file, "the collection file")->required();
    command->callback([file] { Dump(*file); });
}
