#include "core/collection/DiskSteps.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace talvane::collection {

namespace {

DiskStepHook& installedHook()
{
    static DiskStepHook hook;
    return hook;
}

DiskStepOutcome ask(DiskStep step)
{
    return installedHook() ? installedHook()(step) : DiskStepOutcome::Go;
}

// What a refused step gives: a stop never returns.
int refuse(DiskStepOutcome outcome)
{
    if (outcome == DiskStepOutcome::Stop)
        ::_exit(kDiskStepStopStatus);
    errno = ENOSPC;
    return -1;
}

template <typename Call>
int run(DiskStep step, Call call)
{
    const DiskStepOutcome outcome = ask(step);
    return outcome == DiskStepOutcome::Go ? call() : refuse(outcome);
}

} // namespace

void setDiskStepHook(DiskStepHook hook)
{
    installedHook() = std::move(hook);
}

ssize_t diskWrite(int fd, const void* data, size_t size)
{
    const DiskStepOutcome outcome = ask(DiskStep::Write);
    if (outcome == DiskStepOutcome::Go)
        return ::write(fd, data, size);
    // A write cut short leaves part of its bytes behind, as a torn write does.
    if (size > 1 && ::write(fd, data, size / 2) < 0)
        return -1;
    return refuse(outcome);
}

int diskFlush(int fd)
{
    return run(DiskStep::Flush, [fd] { return ::fsync(fd); });
}

int diskRename(const char* from, const char* to)
{
    return run(DiskStep::Rename, [from, to] { return ::rename(from, to); });
}

int diskRemove(const char* path)
{
    return run(DiskStep::Remove, [path] { return ::unlink(path); });
}

int diskLink(const char* from, const char* to)
{
    return run(DiskStep::Link, [from, to] { return ::link(from, to); });
}

int diskTruncate(int fd, off_t size)
{
    return run(DiskStep::Truncate, [fd, size] { return ::ftruncate(fd, size); });
}

} // namespace talvane::collection
