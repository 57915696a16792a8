#pragma once

#include "support/core/CompanionRun.h"

#include <string>

// Runs talvane-cli as runCompanion does, but with its standard output on a
// pseudo-terminal, as when someone types the command. `out` holds the bytes the
// terminal received, untouched by the terminal's own line-end translation.
CompanionRun runCompanionOnTerminal(const TempDir& dir, const std::string& arguments);
