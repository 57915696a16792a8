#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <string>
#include <time.h>

// The shortest of `repeats` runs of `work`, in seconds: the least disturbed by the
// rest of the machine.
inline double seconds(const std::function<void()>& work, int repeats = 1)
{
    double best = 1e9;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// The processor time of the calling thread, in milliseconds: on a busy machine, the
// time others take the processor is not counted.
inline double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The bytes the heap holds for the program now.
inline std::size_t heapInUse()
{
    return mallinfo2().uordblks;
}

// A line of /proc/self/status in kilobytes ("VmRSS:", "VmHWM:").
inline long statusKilobytes(const std::string& name)
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == name) {
            status >> value;
            return value;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

// The memory the process holds in RAM now, in kilobytes, as the system counts it.
inline long residentKilobytes()
{
    return statusKilobytes("VmRSS:");
}

// The most the process has held in RAM since it started, in kilobytes.
inline long peakResidentKilobytes()
{
    return statusKilobytes("VmHWM:");
}
