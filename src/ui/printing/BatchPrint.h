#pragma once

#include <QString>

#include <optional>

// Prints the report of a collection file to a PDF file without a window: one entry
// (counted from 0) or, without one, every entry. Gives the process exit status and
// writes the reason of a failure to standard error.
int printCollectionToPdf(const QString& collection, const QString& pdf, std::optional<long long> entry);

// Prints the inventory of a collection file to a PDF file without a window: every
// tree in collection order, or those in which every word of `find` appears.
int printInventoryToPdf(const QString& collection, const QString& pdf, const QString& find);
