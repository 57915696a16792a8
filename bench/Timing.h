#pragma once

#include <algorithm>
#include <chrono>
#include <functional>

// The shortest of `repeats` runs of `work`, in seconds: the least disturbed by the
// rest of the machine.
inline double Seconds(const std::function<void()>& work, int repeats = 1)
{
    double best = 1e9;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}
