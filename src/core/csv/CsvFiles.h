#pragma once

#include "core/csv/CollectionCsv.h"

#include <filesystem>
#include <optional>
#include <string>

namespace talvane::csv {

// The export and import commands over files. Each gives nothing on success, or a
// message for the user naming the file at fault.

// Writes the CSV form of a .tvn collection. The CSV goes to a temporary file beside
// `csvFile` that then replaces it, so a failed export never leaves half a table.
std::optional<std::string> exportCollectionCsv(const std::filesystem::path& tvnFile,
                                               const std::filesystem::path& csvFile);

// Writes the collection held in a CSV file. `tvnFile` is only written once the whole
// table has been read and converted, and then atomically: a refused table leaves it
// untouched, and so does a collection open in Talvane, whose lock is taken meanwhile.
// A row without a tree identifier in Spare113 (empty, or one an earlier row holds) gets
// a new one; any other text there is kept as given. `journals`, where given, is told
// what became of the table's journals.
std::optional<std::string> importCollectionCsv(const std::filesystem::path& csvFile,
                                               const std::filesystem::path& tvnFile, CsvJournals* journals = nullptr);

} // namespace talvane::csv
