#include "core/passport/PassportManifest.h"

#include "core/text/Words.h"

#include <nlohmann/json.hpp>

#include <ctime>

namespace talvane::passport {

namespace {

using Json = nlohmann::ordered_json;

ManifestReading refused(std::string problem)
{
    return {std::nullopt, std::move(problem)};
}

// Reads a text member into `into`; false when it is missing or not a text.
bool readText(const Json& object, const char* key, std::string& into)
{
    const auto member = object.find(key);
    if (member == object.end() || !member->is_string())
        return false;
    into = member->get<std::string>();
    return true;
}

} // namespace

std::string manifestText(const PassportManifest& manifest)
{
    Json json{{"format", kPassportFormat},       {"version", kPassportVersion},
              {"treeName", manifest.treeName},   {"treeId", manifest.treeId},
              {"exported", manifest.exported},   {"collection", manifest.collection}};
    if (!manifest.giver.empty())
        json["giver"] = manifest.giver;
    json["leftOut"] = manifest.leftOut;
    // A collection's file name is any bytes: what is not UTF-8 is shown replaced.
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

ManifestReading readManifest(std::string_view text)
{
    const Json json = Json::parse(text, nullptr, false);
    if (json.is_discarded())
        return refused(text::sayMessage(SHOWN_TEXT("its manifest is not JSON")));
    if (!json.is_object())
        return refused(text::sayMessage(SHOWN_TEXT("its manifest is not a JSON object")));
    const auto format = json.find("format");
    if (format == json.end() || *format != kPassportFormat)
        return refused(text::sayMessage(SHOWN_TEXT("its manifest does not say it is a Talvane tree passport")));
    const auto version = json.find("version");
    if (version == json.end() || !version->is_number_integer())
        return refused(text::sayMessage(SHOWN_TEXT("its manifest gives no format version")));
    if (*version != kPassportVersion)
        return refused(text::sayMessage(SHOWN_TEXT("it is of format version %1, which this version of Talvane cannot read"), {version->dump()}));

    PassportManifest manifest;
    for (const auto& [key, into] : {std::pair{"treeName", &manifest.treeName}, std::pair{"treeId", &manifest.treeId},
                                    std::pair{"exported", &manifest.exported},
                                    std::pair{"collection", &manifest.collection}}) {
        if (!readText(json, key, *into))
            return refused(text::sayMessage(SHOWN_TEXT("its manifest has no text \"%1\""), {key}));
    }
    if (json.contains("giver") && !readText(json, "giver", manifest.giver))
        return refused(text::sayMessage(SHOWN_TEXT("its manifest's \"giver\" is not a text")));
    const auto leftOut = json.find("leftOut");
    if (leftOut == json.end() || !leftOut->is_array())
        return refused(text::sayMessage(SHOWN_TEXT("its manifest has no list \"leftOut\"")));
    for (const auto& name : *leftOut) {
        if (!name.is_string())
            return refused(text::sayMessage(SHOWN_TEXT("its manifest's \"leftOut\" holds something other than a text")));
        manifest.leftOut.push_back(name.get<std::string>());
    }
    return {std::move(manifest), {}};
}

std::string utcTimestamp(std::chrono::system_clock::time_point time)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm parts{};
    ::gmtime_r(&seconds, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

} // namespace talvane::passport
