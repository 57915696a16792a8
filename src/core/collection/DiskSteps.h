#pragma once

#include <functional>
#include <sys/types.h>

namespace talvane::collection {

// The steps by which the program changes its files on disk, gathered here so that a
// test can make any one of them fail, or end the program there as a kill would, and
// then look at what is left on disk. Each behaves as the system call of its name.

enum class DiskStep { Write, Flush, Rename, Remove, Link, Truncate };

enum class DiskStepOutcome {
    Go,   // the step happens
    Fail, // the step fails as on a full disk (ENOSPC); a write puts half its bytes first
    Stop, // the process ends before the step, as a kill would; a write puts half its bytes first
};

// Asked before every step; an empty hook lets every step happen.
using DiskStepHook = std::function<DiskStepOutcome(DiskStep)>;
void setDiskStepHook(DiskStepHook hook);

// The status a process stopped by its hook ends with.
inline constexpr int kDiskStepStopStatus = 137;

ssize_t diskWrite(int fd, const void* data, size_t size);
int diskFlush(int fd);
int diskRename(const char* from, const char* to);
int diskRemove(const char* path);
int diskLink(const char* from, const char* to);
int diskTruncate(int fd, off_t size);

} // namespace talvane::collection
