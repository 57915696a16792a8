#include "core/CompanionRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

CompanionRun RunCompanion(const TempDir& dir, const std::string& arguments)
{
    const auto cli = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "talvane-cli";
    if (!std::filesystem::exists(cli)) {
        ADD_FAILURE() << "build talvane-cli first: " << cli;
        return {};
    }
    const auto out = dir / ".stdout";
    const auto err = dir / ".stderr";
    const std::string command = "cd '" + dir.path().string() + "' && '" + cli.string() + "' " + arguments + " >'" +
                                out.string() + "' 2>'" + err.string() + "'";
    const int result = std::system(command.c_str());
    CompanionRun run{WIFEXITED(result) ? WEXITSTATUS(result) : -1, ReadFileBytes(out), ReadFileBytes(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}
