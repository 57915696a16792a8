#include "support/core/TerminalRun.h"

#include <gtest/gtest.h>

#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

CompanionRun runCompanionOnTerminal(const TempDir& dir, const std::string& arguments)
{
    const auto cli = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "talvane-cli";
    const auto err = dir / ".stderr";
    const std::string command =
        "cd '" + dir.path().string() + "' && exec '" + cli.string() + "' " + arguments + " 2>'" + err.string() + "'";
    termios raw{};
    cfmakeraw(&raw);
    int terminal = -1;
    const pid_t child = ::forkpty(&terminal, nullptr, &raw, nullptr);
    if (child < 0) {
        ADD_FAILURE() << "no pseudo-terminal";
        return {};
    }
    if (child == 0) {
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    CompanionRun run;
    char buffer[4096];
    // Once the program has ended and closed its side, reading fails with EIO.
    for (ssize_t got; (got = ::read(terminal, buffer, sizeof buffer)) > 0;)
        run.out.append(buffer, static_cast<std::size_t>(got));
    ::close(terminal);
    int status = 0;
    ::waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = readFileBytes(err);
    std::filesystem::remove(err);
    return run;
}
