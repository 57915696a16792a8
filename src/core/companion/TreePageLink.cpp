#include "core/companion/TreePageLink.h"

#include "core/companion/CollectionSnapshot.h"
#include "core/companion/CompanionServer.h"

namespace talvane::companion {

std::optional<std::string> treePageLink(CompanionServer& server, const collection::EntryList& entries, std::size_t position)
{
    if (!server.isRunning() || server.sessions().phones().empty())
        return std::nullopt;
    return "http://" + phoneAddressFor(server.bindAddress()) + ":" + std::to_string(server.port()) + "/tree/" +
           treeRefAt(entries, position);
}

} // namespace talvane::companion
