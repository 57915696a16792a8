#include "core/collection/DiskSteps.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

DiskStepHook& Hook()
{
    static DiskStepHook hook;
    return hook;
}

DiskStepOutcome Ask(DiskStep step)
{
    return Hook() ? Hook()(step) : DiskStepOutcome::Go;
}

// What a refused step gives: a stop never returns.
int Refuse(DiskStepOutcome outcome)
{
    if (outcome == DiskStepOutcome::Stop)
        ::_exit(kDiskStepStopStatus);
    errno = ENOSPC;
    return -1;
}

template <typename Call>
int Run(DiskStep step, Call call)
{
    const DiskStepOutcome outcome = Ask(step);
    return outcome == DiskStepOutcome::Go ? call() : Refuse(outcome);
}

} // namespace

void SetDiskStepHook(DiskStepHook hook)
{
    Hook() = std::move(hook);
}

ssize_t DiskWrite(int fd, const void* data, size_t size)
{
    const DiskStepOutcome outcome = Ask(DiskStep::Write);
    if (outcome == DiskStepOutcome::Go)
        return ::write(fd, data, size);
    // A write cut short leaves part of its bytes behind, as a torn write does.
    if (size > 1 && ::write(fd, data, size / 2) < 0)
        return -1;
    return Refuse(outcome);
}

int DiskFlush(int fd)
{
    return Run(DiskStep::Flush, [fd] { return ::fsync(fd); });
}

int DiskRename(const char* from, const char* to)
{
    return Run(DiskStep::Rename, [from, to] { return ::rename(from, to); });
}

int DiskRemove(const char* path)
{
    return Run(DiskStep::Remove, [path] { return ::unlink(path); });
}

int DiskLink(const char* from, const char* to)
{
    return Run(DiskStep::Link, [from, to] { return ::link(from, to); });
}

int DiskTruncate(int fd, off_t size)
{
    return Run(DiskStep::Truncate, [fd, size] { return ::ftruncate(fd, size); });
}
