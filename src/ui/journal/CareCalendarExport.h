#pragma once

#include <cstddef>
#include <optional>

class CTalvaneDoc;
class UiServices;

// File Export care calendar: asks where to write an iCalendar file of every pending
// care task of the collection and writes it, or says why it could not. Gives how
// many tasks were written, nothing when cancelled or failed.
std::optional<std::size_t> exportCareCalendar(CTalvaneDoc& doc, UiServices& services);
