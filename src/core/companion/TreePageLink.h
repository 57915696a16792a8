#pragma once

#include "core/collection/CollectionArchive.h"

#include <cstddef>
#include <optional>
#include <string>

namespace talvane::companion {

class CompanionServer;

// "http://192.168.1.20:8750/tree/REF": the page of the tree at a position, as the
// phones paired with the server open it from a message that reaches them elsewhere (a
// reminder). Nothing while the server is stopped or no phone is paired.
std::optional<std::string> treePageLink(CompanionServer& server, const collection::EntryList& entries, std::size_t position);

} // namespace talvane::companion
