#include "Commands.h"

#include "core/collection/OutputFile.h"
#include "core/collection/SafeFile.h"

using namespace talvane::collection;

namespace {

std::string refusalText(const OutputRefusal& refusal, std::string_view command, const std::string& output,
                        std::string_view writes)
{
    if (refusal.reason == OutputRefusal::Reason::OwnInput) {
        const std::string input = refusal.input.string();
        return output + " is " + (input == output ? "" : input + ", ") + "the file " + std::string(command) + " reads";
    }
    const std::string notACollection = ": " + std::string(command) + " writes " + std::string(writes) + ", not a collection";
    if (refusal.reason == OutputRefusal::Reason::Collection)
        return output + " is a Talvane collection" + notACollection;
    return output + " is a collection open by " + describeLockHolder(refusal.holder) + notACollection;
}

} // namespace

void refuseToOverwriteOrFail(std::string_view command, const std::string& output,
                             const std::vector<std::filesystem::path>& inputs, std::string_view writes)
{
    const auto kind = writes.empty() ? OutputKind::Collection : OutputKind::Other;
    if (const auto refusal = refuseToOverwrite(output, inputs, kind))
        throw CliFailure(refusalText(*refusal, command, output, writes) + "; nothing written");
}

void writeOutputOrFail(const std::string& file, std::string_view bytes)
{
    if (const auto failure = replaceFile(file, bytes))
        throw CliFailure("cannot write " + file + ": " + *failure);
}

std::optional<CommandLock> lockCollectionOrFail(const std::string& file)
{
    std::optional<LockHolder> holder;
    auto lock = CommandLock::take(file, &holder);
    if (holder)
        throw CliFailure(file + ": it is open by " + describeLockHolder(*holder) + "; close it there first");
    return lock;
}
