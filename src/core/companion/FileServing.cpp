#include "core/companion/FileServing.h"

#include "core/companion/PairedPhones.h"
#include "core/companion/ProgramTokens.h"
#include "core/companion/ServingRecord.h"

namespace talvane::companion {

void useCollectionFiles(ServerOptions& options, const std::filesystem::path& collection)
{
    const auto absolute = std::filesystem::absolute(collection);
    options.tokenFile = ProgramTokens::fileFor(absolute);
    options.phonesFile = PairedPhones::fileFor(absolute);
    options.servingFile = ServingRecord::fileFor(absolute);
}

std::variant<std::unique_ptr<FileServing>, std::string> FileServing::start(const std::filesystem::path& collection,
                                                                           const std::filesystem::path& startFolder,
                                                                           ServerOptions options)
{
    auto opened = FileCollectionHost::open(collection, startFolder);
    if (auto* failure = std::get_if<std::string>(&opened))
        return std::move(*failure);
    std::unique_ptr<FileServing> serving(new FileServing(std::move(std::get<std::unique_ptr<FileCollectionHost>>(opened))));
    serving->m_host->logChangesTo(options.log);
    useCollectionFiles(options, collection);
    if (auto failure = serving->m_server->start(options))
        return std::move(*failure);
    serving->m_reminders = std::make_unique<ServedReminders>(collection, *serving->m_host, *serving->m_server, options.log);
    serving->m_weather = std::make_unique<ServedWeather>(
        collection, [host = serving->m_host.get()](const reminders::GardenWeather& weather) { host->takeWeather(weather); },
        std::move(options.log));
    return serving;
}

FileServing::FileServing(std::unique_ptr<FileCollectionHost> host)
    : m_host(std::move(host)), m_server(std::make_unique<CompanionServer>(*m_host))
{
}

} // namespace talvane::companion
