#include "core/companion/ServedWeather.h"

#include "core/garden/GardenSettings.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <variant>

using namespace talvane::reminders;

namespace talvane::companion {

namespace {

using Got = std::variant<std::string, std::string>;

// What a getter gives, read on a thread of its own that the stop does not wait for: a
// server slow to answer never holds up the end of the serving.
Got getUnlessStopped(const WebGetter& get, const std::string& address, const std::stop_token& stop)
{
    struct Reading {
        std::mutex mutex;
        std::condition_variable_any ended;
        std::optional<Got> got;
    };
    auto reading = std::make_shared<Reading>();
    std::thread([reading, get, address] {
        Got got = get(address);
        std::lock_guard lock(reading->mutex);
        reading->got = std::move(got);
        reading->ended.notify_all();
    }).detach();
    std::unique_lock lock(reading->mutex);
    if (!reading->ended.wait(lock, stop, [&] { return reading->got.has_value(); }))
        return Got(std::in_place_index<1>, "stopped");
    return std::move(*reading->got);
}

} // namespace

ServedWeather::ServedWeather(const std::filesystem::path& collection, Taker take, ServerLog log, WebGetter get)
    : m_collection(std::filesystem::absolute(collection)), m_take(std::move(take)), m_log(std::move(log)),
      m_get(std::move(get)), m_thread([this](const std::stop_token& stop) { run(stop); })
{
}

ServedWeather::~ServedWeather()
{
    m_thread.request_stop();
}

void ServedWeather::run(const std::stop_token& stop)
{
    const WebGetter get = [this, &stop](const std::string& address) { return getUnlessStopped(m_get, address, stop); };
    bool placed = false;
    std::optional<std::string> told;
    std::mutex mutex;
    std::condition_variable_any wake;
    while (!stop.stop_requested()) {
        const auto location = garden::readGardenLocation(garden::gardenLocationFile(m_collection)).location;
        // A location forgotten takes the alerts away.
        if (location || placed) {
            const GardenWeather weather = location ? weatherFor(garden::keptWeatherFile(m_collection), *location, get,
                                                                std::chrono::system_clock::now())
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
