#include "Commands.h"

#include "core/guide/GuideLoader.h"
#include "core/guide/GuideShift.h"
#include "core/text/Windows1252.h"

#include <iostream>
#include <nlohmann/json.hpp>

using namespace talvane::guide;

namespace {

struct JsonMember {
    const char* name;
    std::string CGuideEspece::*member;
};

constexpr JsonMember kTextMembers[] = {
    {"m_strNomBotanique", &CGuideEspece::m_strNomBotanique},
    {"m_strNomFrancais", &CGuideEspece::m_strNomFrancais},
    {"m_strNomAnglais", &CGuideEspece::m_strNomAnglais},
    {"m_strPosition", &CGuideEspece::m_strPosition},
    {"m_strArrosage", &CGuideEspece::m_strArrosage},
    {"m_strFertilisation", &CGuideEspece::m_strFertilisation},
    {"m_strTaille", &CGuideEspece::m_strTaille},
    {"m_strLigature", &CGuideEspece::m_strLigature},
    {"m_strRempotage", &CGuideEspece::m_strRempotage},
    {"m_strCulture", &CGuideEspece::m_strCulture},
    {"m_strHivernage", &CGuideEspece::m_strHivernage},
    {"m_strSubstrat", &CGuideEspece::m_strSubstrat},
    {"m_strTempMin", &CGuideEspece::m_strTempMin},
};

nlohmann::ordered_json speciesToJson(const CGuideEspece& species)
{
    nlohmann::ordered_json object;
    for (const auto& [name, member] : kTextMembers)
        object[name] = talvane::text::cp1252ToUtf8(species.*member);
    object["m_nIntExtCode"] = species.m_nIntExtCode;
    return object;
}

// Loads the guide as the program does, the messages collected instead of shown.
void printGuide(const std::string& file)
{
    SpeciesGuide guide;
    nlohmann::ordered_json messages = nlohmann::ordered_json::array();
    LoadSpeciesGuide(
        file, [&](const std::string& message, const std::string&, unsigned) { messages.push_back(talvane::text::cp1252ToUtf8(message)); },
        guide);
    nlohmann::ordered_json records = nlohmann::ordered_json::array();
    for (const auto& species : guide)
        records.push_back(speciesToJson(*species));
    std::cout << nlohmann::ordered_json{{"records", std::move(records)}, {"messages", std::move(messages)}}.dump(2)
              << '\n';
}

std::string readInput(const std::string& file)
{
    auto bytes = readGuideFile(file);
    if (!bytes)
        throw CliFailure("cannot read " + file);
    return std::move(*bytes);
}

void encodeGuide(const std::string& plainFile, const std::string& outFile)
{
    std::size_t line = 0;
    const auto stored = encodeGuideText(readInput(plainFile), &line);
    if (!stored)
        throw CliFailure(plainFile + ": line " + std::to_string(line) +
                         " holds \"~\" or DEL, which a guide file cannot store; nothing written");
    writeOutputOrFail(outFile, *stored);
}

void decodeGuide(const std::string& storedFile, const std::string& outFile)
{
    writeOutputOrFail(outFile, decodeGuideText(readInput(storedFile)));
}

// A subcommand taking two file arguments; `writes` names what OUT becomes.
void addConversionCommand(CLI::App& app, const char* name, const char* description, const char* inputName,
                          const char* inputDescription, std::string_view writes,
                          void (*convert)(const std::string&, const std::string&))
{
    auto* command = app.add_subcommand(name, description);
    auto files = std::make_shared<std::pair<std::string, std::string>>();
    command->add_option(inputName, files->first, inputDescription)->required();
    command->add_option("OUT", files->second, "the file to write")->required();
    command->callback([name, writes, files, convert] {
        refuseToOverwriteOrFail(name, files->second, {files->first}, writes);
        convert(files->first, files->second);
    });
}

} // namespace

void addGuideCommands(CLI::App& app)
{
    auto* guide = app.add_subcommand("guide", "Load a species guide (esspef.dat) as the program does and print its "
                                              "records and messages as JSON");
    auto file = std::make_shared<std::string>();
    guide->add_option("FILE", *file, "the species guide file")->required();
    guide->callback([file] { printGuide(*file); });

    addConversionCommand(app, "guide-encode", "Shift a plain species guide text into the stored form", "PLAIN",
                         "the plain guide text (Windows-1252)", "a species guide", encodeGuide);
    addConversionCommand(app, "guide-decode", "Undo the shift of a stored species guide into plain text", "FILE",
                         "the stored species guide", "a plain guide text", decodeGuide);
}
