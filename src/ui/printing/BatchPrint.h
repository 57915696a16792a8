#pragma once

#include <QString>

#include <optional>

// Prints the report of a collection file to a PDF file without a window: one entry
// (counted from 0) or, without one, every entry. Gives the process exit status and
// writes the reason of a failure to standard error.
int PrintCollectionToPdf(const QString& collection, const QString& pdf, std::optional<long long> entry);
