#pragma once

#include "support/core/TempDir.h"

#include <string>
#include <string_view>
#include <sys/types.h>

// What a run of talvane-cli printed and how it ended.
struct CompanionRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the talvane-cli built next to the test program, in the folder, with the
// arguments as a shell would split them.
CompanionRun runCompanion(const TempDir& dir, const std::string& arguments);

// talvane-cli started as runCompanion starts it and left running (talvane-cli serve),
// until stop() ends it as a service manager does, with SIGTERM.
class RunningCompanion {
public:
    RunningCompanion(const TempDir& dir, const std::string& arguments);
    ~RunningCompanion();
    RunningCompanion(const RunningCompanion&) = delete;
    RunningCompanion& operator=(const RunningCompanion&) = delete;

    // What it printed so far, once the text is among it or 10 seconds have passed.
    std::string outputOnce(std::string_view text) const;
    CompanionRun stop();

private:
    const TempDir& m_dir;
    pid_t m_pid = -1;
};
