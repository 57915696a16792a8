#pragma once

#include "core/companion/ServerLog.h"
#include "core/reminders/GardenWeather.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <stop_token>
#include <thread>

namespace talvane::companion {

// The forecast of a collection's garden while it is served without a window: looked at
// on a thread of its own every ten minutes while the collection has a garden location
// (the answer kept beside it serves for three hours), and handed on each time, so that
// the alerts follow the days. Why it could not be read is told to the log once, until
// it is read again.
class ServedWeather {
public:
    using Taker = std::function<void(const reminders::GardenWeather& weather)>;
    static constexpr std::chrono::minutes kLookInterval{10};

    ServedWeather(const std::filesystem::path& collection, Taker take, ServerLog log);
    // Stops at once: a forecast on its way is given up.
    ~ServedWeather();
    ServedWeather(const ServedWeather&) = delete;
    ServedWeather& operator=(const ServedWeather&) = delete;

private:
    void run(const std::stop_token& stop);

    std::filesystem::path m_collection;
    Taker m_take;
    ServerLog m_log;
    std::jthread m_thread;
};

} // namespace talvane::companion
