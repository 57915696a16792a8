#include "Commands.h"

#include "core/collection/LocalTime.h"
#include "core/companion/ProgramTokens.h"

#include <iostream>

using namespace talvane::collection;

namespace {

using namespace talvane::companion;

struct TokenRequest {
    std::string file;
    std::optional<std::string> make;
    bool list = false;
    std::optional<std::string> revoke;
};

std::string dateText(std::chrono::system_clock::time_point time)
{
    return localTimeText(std::chrono::system_clock::to_time_t(time), "%Y-%m-%d %H:%M");
}

// The core's texts as the command says them: in English, like every other message.
[[noreturn]] void fail(const PhoneText& text)
{
    throw CliFailure(text.said(talvane::text::inEnglish));
}

void token(const TokenRequest& request)
{
    loadCollectionOrFail(request.file);
    ProgramTokens tokens(ProgramTokens::fileFor(request.file));
    if (request.make) {
        const MadeToken made = tokens.make(*request.make);
        if (const auto* failure = std::get_if<PhoneText>(&made))
            fail(*failure);
        std::cout << std::get<std::string>(made) << '\n'
                  << "Keep it now: it is shown only this once. A program sends it with each request as the header "
                     "\"Authorization: Bearer TOKEN\".\n";
    } else if (request.list) {
        const std::vector<ProgramToken> listed = tokens.list();
        if (const auto failure = tokens.failure())
            fail(*failure);
        for (const ProgramToken& token : listed)
            std::cout << token.name << "\tmade " << dateText(token.made) << '\t'
                      << (token.lastUsed ? "last used " + dateText(*token.lastUsed) : std::string("not used yet")) << '\n';
        if (listed.empty())
            std::cout << "No program has a token for " << request.file << ".\n";
    } else if (tokens.revoke(*request.revoke)) {
        std::cout << "The token of \u201C" << *request.revoke << "\u201D no longer works.\n";
    } else {
        if (const auto failure = tokens.failure())
            fail(*failure);
        throw CliFailure("no program named \u201C" + *request.revoke + "\u201D has a token for " + request.file);
    }
}

} // namespace

void addTokenCommand(CLI::App& app)
{
    auto* command = app.add_subcommand("token", "Make, list or revoke the tokens that let programs (a home dashboard, "
                                       "a script) use the companion's JSON API");
    auto request = std::make_shared<TokenRequest>();
    command->add_option("FILE", request->file, "the collection file")->required();
    auto* action = command->add_option_group("action");
    action->add_option("--name", request->make, "makes a token for the program of that name and prints it, once");
    action->add_flag("--list", request->list, "lists the programs that have a token");
    action->add_option("--revoke", request->revoke, "revokes the token of the program of that name");
    action->require_option(1);
    command->callback([request] { token(*request); });
}
