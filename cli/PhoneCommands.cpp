#include "Commands.h"

#include "core/collection/LocalTime.h"
#include "core/companion/CompanionServer.h"
#include "core/companion/PairedPhones.h"
#include "core/companion/ServingRecord.h"
#include "core/labels/QrCode.h"

#include <iostream>

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

std::string DateText(std::chrono::system_clock::time_point time)
{
    return LocalTimeText(std::chrono::system_clock::to_time_t(time), "%Y-%m-%d %H:%M");
}

// The core's texts as the command says them: in English, like every other message.
[[noreturn]] void Fail(const PhoneText& text)
{
    throw CliFailure(text.said(text::inEnglish));
}

void Pair(const PairRequest& request)
{
    const auto collection = std::filesystem::absolute(request.file);
    const auto served = ServingRecord::read(ServingRecord::fileFor(collection));
    if (!served)
        throw CliFailure("nothing serves " + request.file + ": start \u201Ctalvane-cli serve " + request.file +
                         "\u201D, or share it from the window, first");
    PairedPhones phones(PairedPhones::fileFor(collection));
    const MadeCode made = phones.makeCode();
    if (const auto* failure = std::get_if<PhoneText>(&made))
        Fail(*failure);
    PrintPairingAddress(pairingAddress(phoneAddressFor(served->bindAddress), served->port, std::get<std::string>(made)));
}

void Phones(const PhonesRequest& request)
{
    LoadCollectionOrFail(request.file);
    PairedPhones phones(PairedPhones::fileFor(std::filesystem::absolute(request.file)));
    const auto unknown = [&](const std::string& name) {
        if (const auto failure = phones.failure())
            Fail(*failure);
        throw CliFailure("no phone named \u201C" + name + "\u201D is paired with " + request.file);
    };
    if (request.revoke) {
        if (!phones.revoke(*request.revoke))
            unknown(*request.revoke);
        std::cout << "\u201C" << *request.revoke << "\u201D is no longer paired: its pages and calendar stop working.\n";
    } else if (!request.rename.empty()) {
        if (const auto refusal = phones.rename(request.rename[0], request.rename[1]))
            Fail(*refusal);
        std::cout << "\u201C" << request.rename[0] << "\u201D is now called \u201C" << request.rename[1] << "\u201D.\n";
    } else {
        const std::vector<KeptPhone> listed = phones.list();
        if (const auto failure = phones.failure())
            Fail(*failure);
        for (const KeptPhone& phone : listed)
            std::cout << phone.name << "\tpaired " << DateText(phone.paired) << "\tlast request "
                      << DateText(phone.lastRequest) << '\n';
        if (listed.empty())
            std::cout << "No phone is paired with " << request.file << ".\n";
    }
}

} // namespace

void PrintPairingAddress(const std::string& address)
{
    std::cout << "Open this address on the phone, or scan the code, within 10 minutes:\n" << address << '\n';
    if (const auto code = talvane::QrCode::encode(address))
        std::cout << code->forTerminal();
}

void AddPairCommand(CLI::App& app)
{
    auto* pair = app.add_subcommand("pair", "Make a new pairing code for phones, for a collection that talvane-cli "
                                            "serve or the window is sharing, and print its address and QR code");
    auto request = std::make_shared<PairRequest>();
    pair->add_option("FILE", request->file, "the collection file")->required();
    pair->callback([request] { Pair(*request); });
}

void AddPhonesCommand(CLI::App& app)
{
    auto* phones = app.add_subcommand("phones", "List, rename or revoke the phones paired with a collection");
    auto request = std::make_shared<PhonesRequest>();
    phones->add_option("FILE", request->file, "the collection file")->required();
    auto* action = phones->add_option_group("action");
    action->add_option("--revoke", request->revoke, "unpairs the phone of that name");
    action->add_option("--rename", request->rename, "renames a phone: --rename OLD NEW")->expected(2);
    action->require_option(0, 1);
    phones->callback([request] { Phones(*request); });
}
