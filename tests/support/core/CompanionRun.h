#pragma once

#include "core/TempDir.h"

#include <string>

// What a run of talvane-cli printed and how it ended.
struct CompanionRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the talvane-cli built next to the test program, in the folder, with the
// arguments as a shell would split them.
CompanionRun RunCompanion(const TempDir& dir, const std::string& arguments);
