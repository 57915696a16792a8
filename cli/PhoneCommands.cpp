#include "Commands.h"

#include "core/collection/LocalTime.h"
#include "core/companion/CompanionServer.h"
#include "core/companion/PairedPhones.h"
#include "core/companion/ServingRecord.h"
#include "core/labels/QrCode.h"

#include <iostream>

using namespace talvane::collection;

namespace {

using namespace talvane::companion;

struct PairRequest {
    std::string file;
};

struct PhonesRequest {
    std::string file;
    std::optional<std::string> revoke;
    std::vector<std::string> rename; // the old name and the new
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

void pair(const PairRequest& request)
{
    const auto collection = std::filesystem::absolute(request.file);
    const auto served = ServingRecord::read(ServingRecord::fileFor(collection));
    if (!served)
        throw CliFailure("nothing serves " + request.file + ": start \u201Ctalvane-cli serve " + request.file +
                         "\u201D, or share it from the window, first");
    PairedPhones phones(PairedPhones::fileFor(collection));
    const MadeCode made = phones.makeCode();
    if (const auto* failure = std::get_if<PhoneText>(&made))
        fail(*failure);
    printPairingAddress(pairingAddress(phoneAddressFor(served->bindAddress), served->port, std::get<std::string>(made)));
}

void phones(const PhonesRequest& request)
{
    loadCollectionOrFail(request.file);
    PairedPhones phones(PairedPhones::fileFor(std::filesystem::absolute(request.file)));
    const auto unknown = [&](const std::string& name) {
        if (const auto failure = phones.failure())
            fail(*failure);
        throw CliFailure("no phone named \u201C" + name + "\u201D is paired with " + request.file);
    };
    if (request.revoke) {
        if (!phones.revoke(*request.revoke))
            unknown(*request.revoke);
        std::cout << "\u201C" << *request.revoke << "\u201D is no longer paired: its pages and calendar stop working.\n";
    } else if (!request.rename.empty()) {
        if (const auto refusal = phones.rename(request.rename[0], request.rename[1]))
            fail(*refusal);
        std::cout << "\u201C" << request.rename[0] << "\u201D is now called \u201C" << request.rename[1] << "\u201D.\n";
    } else {
        const std::vector<KeptPhone> listed = phones.list();
        if (const auto failure = phones.failure())
            fail(*failure);
        for (const KeptPhone& phone : listed)
            std::cout << phone.name << "\tpaired " << dateText(phone.paired) << "\tlast request "
                      << dateText(phone.lastRequest) << '\n';
        if (listed.empty())
            std::cout << "No phone is paired with " << request.file << ".\n";
    }
}

} // namespace

void printPairingAddress(const std::string& address)
{
    std::cout << "Open this address on the phone, or scan the code, within 10 minutes:\n" << address << '\n';
    if (const auto code = talvane::labels::QrCode::encode(address))
        std::cout << code->forTerminal();
}

void addPairCommand(CLI::App& app)
{
    auto* command = app.add_subcommand("pair", "Make a new pairing code for phones, for a collection that talvane-cli "
                                       "serve or the window is sharing, and print its address and QR code");
    auto request = std::make_shared<PairRequest>();
    command->add_option("FILE", request->file, "the collection file")->required();
    command->callback([request] { pair(*request); });
}

void addPhonesCommand(CLI::App& app)
{
    auto* command = app.add_subcommand("phones", "List, rename or revoke the phones paired with a collection");
    auto request = std::make_shared<PhonesRequest>();
    command->add_option("FILE", request->file, "the collection file")->required();
    auto* action = command->add_option_group("action");
    action->add_option("--revoke", request->revoke, "unpairs the phone of that name");
    action->add_option("--rename", request->rename, "renames a phone: --rename OLD NEW")->expected(2);
    action->require_option(0, 1);
    command->callback([request] { phones(*request); });
}
