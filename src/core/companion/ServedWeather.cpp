#include "core/companion/ServedWeather.h"

#include "core/garden/GardenSettings.h"

#include <condition_variable>
#include <mutex>
#include <optional>

using namespace talvane::reminders;

namespace talvane::companion {

ServedWeather::ServedWeather(const std::filesystem::path& collection, Taker take, ServerLog log)
    : m_collection(std::filesystem::absolute(collection)), m_take(std::move(take)), m_log(std::move(log)),
      m_thread([this](const std::stop_token& stop) { run(stop); })
{
}

ServedWeather::~ServedWeather()
{
    m_thread.request_stop();
}

void ServedWeather::run(const std::stop_token& stop)
{
    bool placed = false;
    std::optional<std::string> told;
    std::mutex mutex;
    std::condition_variable_any wake;
    while (!stop.stop_requested()) {
        const auto location = garden::readGardenLocation(garden::gardenLocationFile(m_collection)).location;
        // A location forgotten takes the alerts away.
        if (location || placed) {
            const GardenWeather weather = location ? weatherFor(garden::keptWeatherFile(m_collection), *location,
                                                                std::chrono::system_clock::now(), stop)
                                                   : GardenWeather{};
            if (stop.stop_requested())
                break;
            m_take(weather);
            if (weather.failure && weather.failure != told && m_log)
                m_log(*weather.failure);
            told = weather.failure;
        }
        placed = location.has_value();
        std::unique_lock lock(mutex);
        wake.wait_for(lock, stop, kLookInterval, [] { return false; });
    }
}

} // namespace talvane::companion
