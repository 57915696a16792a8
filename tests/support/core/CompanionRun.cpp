#include "support/core/CompanionRun.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::filesystem::path builtCompanion()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "talvane-cli";
}

// The shell command that runs it in the folder, its output written to files named
// after `outputs`.
std::string companionCommand(const TempDir& dir, const std::string& arguments, const std::string& outputs)
{
    return "cd '" + dir.path().string() + "' && exec '" + builtCompanion().string() + "' " + arguments + " >'" +
           (dir / (outputs + ".stdout")).string() + "' 2>'" + (dir / (outputs + ".stderr")).string() + "'";
}

// The run's output, its files removed.
CompanionRun takeOutputs(const TempDir& dir, const std::string& outputs, int result)
{
    const auto out = dir / (outputs + ".stdout");
    const auto err = dir / (outputs + ".stderr");
    CompanionRun run{WIFEXITED(result) ? WEXITSTATUS(result) : -1, readFileBytes(out), readFileBytes(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

constexpr char kRunOutputs[] = "";
constexpr char kRunningOutputs[] = ".running";

} // namespace

CompanionRun runCompanion(const TempDir& dir, const std::string& arguments)
{
    if (!std::filesystem::exists(builtCompanion())) {
        ADD_FAILURE() << "build talvane-cli first: " << builtCompanion();
        return {};
    }
    const int result = std::system(companionCommand(dir, arguments, kRunOutputs).c_str());
    return takeOutputs(dir, kRunOutputs, result);
}

RunningCompanion::RunningCompanion(const TempDir& dir, const std::string& arguments) : m_dir(dir)
{
    const std::string command = companionCommand(dir, arguments, kRunningOutputs);
    m_pid = ::fork();
    if (m_pid == 0) {
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    if (m_pid < 0)
        ADD_FAILURE() << "cannot start talvane-cli";
}

RunningCompanion::~RunningCompanion()
{
    stop();
}

std::string RunningCompanion::outputOnce(std::string_view text) const
{
    const auto file = m_dir / (std::string(kRunningOutputs) + ".stdout");
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;; std::this_thread::sleep_for(std::chrono::milliseconds(20))) {
        // The shell makes the file a moment after it starts.
        const std::string out = std::filesystem::exists(file) ? readFileBytes(file) : std::string();
        if (out.find(text) != std::string::npos || std::chrono::steady_clock::now() > giveUp)
            return out;
    }
}

CompanionRun RunningCompanion::stop()
{
    if (m_pid <= 0)
        return {};
    ::kill(m_pid, SIGTERM);
    int result = 0;
    ::waitpid(m_pid, &result, 0);
    m_pid = -1;
    return takeOutputs(m_dir, kRunningOutputs, result);
}
