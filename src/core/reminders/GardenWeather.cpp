#include "core/reminders/GardenWeather.h"

#include "core/text/Words.h"

#include <curl/curl.h>
#include <nlohmann/json.hpp>

#include <memory>
#include <mutex>

namespace talvane::reminders {

namespace {

using Got = std::variant<std::string, std::string>;

constexpr long kConnectSeconds = 20;
constexpr long kGetSeconds = 60;
constexpr long kMostRedirects = 5;
constexpr std::size_t kMostTowns = 10;
constexpr std::string_view kOpenMeteoGeocoding = "https://geocoding-api.open-meteo.com";

Got body(std::string bytes)
{
    return Got(std::in_place_index<0>, std::move(bytes));
}

Got failure(std::string why)
{
    return Got(std::in_place_index<1>, std::move(why));
}

std::string tooLarge()
{
    return text::sayMessage(SHOWN_TEXT("the answer is larger than %1 MiB"),
                            {std::to_string(garden::kForecastAnswerLimit / (1024 * 1024))});
}

struct Received {
    std::string bytes;
    bool tooLarge = false;
};

// Stops the transfer, by taking less than given, once the answer would pass the limit.
std::size_t receive(char* data, std::size_t size, std::size_t count, void* into)
{
    auto& received = *static_cast<Received*>(into);
    const std::size_t given = size * count;
    if (given > garden::kForecastAnswerLimit - received.bytes.size()) {
        received.tooLarge = true;
        return 0;
    }
    received.bytes.append(data, given);
    return given;
}

// Why a server refused: Open-Meteo's "reason", else its status alone.
std::string refusalOf(long status, const std::string& answer)
{
    const auto read = nlohmann::json::parse(answer, nullptr, false);
    std::string reason;
    if (read.is_object())
        if (const auto found = read.find("reason"); found != read.end() && found->is_string())
            reason = found->get<std::string>();
    return reason.empty() ? text::sayMessage(SHOWN_TEXT("the server answered %1"), {std::to_string(status)})
                          : text::sayMessage(SHOWN_TEXT("the server answered %1 (%2)"), {std::to_string(status), reason});
}

std::string_view withoutTrailingSlash(std::string_view base)
{
    if (base.ends_with('/'))
        base.remove_suffix(1);
    return base;
}

// Every byte but the letters, digits and "-._~" as %XX.
std::string percentEncoded(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
            byte == '-' || byte == '.' || byte == '_' || byte == '~') {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0xF];
        }
    }
    return encoded;
}

std::string textIn(const nlohmann::json& item, const char* name)
{
    const auto found = item.find(name);
    return found != item.end() && found->is_string() ? found->get<std::string>() : std::string();
}

// A result of the geocoding, when it names a town where the forecast can be read.
std::optional<Town> townOf(const nlohmann::json& item)
{
    if (!item.is_object())
        return std::nullopt;
    const auto latitude = item.find("latitude");
    const auto longitude = item.find("longitude");
    Town town{textIn(item, "name"), {}, 0, 0};
    if (town.name.empty() || latitude == item.end() || !latitude->is_number() || longitude == item.end() ||
        !longitude->is_number())
        return std::nullopt;
    town.latitude = latitude->get<double>();
    town.longitude = longitude->get<double>();
    if (garden::locationProblem(town.latitude, town.longitude))
        return std::nullopt;
    for (const char* part : {"admin1", "country"})
        if (const std::string value = textIn(item, part); !value.empty())
            town.region += (town.region.empty() ? "" : ", ") + value;
    return town;
}

} // namespace

std::variant<std::string, std::string> getOverHttp(const std::string& address)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> handle(curl_easy_init(), curl_easy_cleanup);
    if (!handle)
        return failure(curl_easy_strerror(CURLE_FAILED_INIT));
    CURL* const curl = handle.get();
    Received received;
    char error[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMostRedirects);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, kGetSeconds);
    // The limit holds for the answer unpacked, so a small packed answer cannot swell past it.
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(garden::kForecastAnswerLimit));
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Talvane");
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &receive);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &received);
    const CURLcode result = curl_easy_perform(curl);
    if (received.tooLarge || result == CURLE_FILESIZE_EXCEEDED)
        return failure(tooLarge());
    if (result != CURLE_OK)
        return failure(error[0] ? std::string(error) : std::string(curl_easy_strerror(result)));
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 400)
        return failure(refusalOf(status, received.bytes));
    return body(std::move(received.bytes));
}

GardenWeather weatherFor(const std::filesystem::path& keptFile, const garden::GardenLocation& location,
                         const WebGetter& get, std::chrono::system_clock::time_point now)
{
    auto kept = garden::readKeptWeather(keptFile).weather;
    const bool keptHere = kept && kept->latitude == location.latitude && kept->longitude == location.longitude;
    // A clock put back makes a kept answer look younger than it is: it is read again.
    if (keptHere && now >= kept->readAt && now - kept->readAt < garden::kForecastInterval)
        if (auto forecast = garden::keptForecast(*kept))
            return {std::move(forecast), kept->readAt, true, std::nullopt};

    Got answer = get(garden::forecastAddress(location.forecastBase, location.latitude, location.longitude));
    std::string why;
    if (answer.index() == 0) {
        const auto read = garden::readForecast(std::get<0>(answer));
        if (const auto* forecast = std::get_if<garden::Forecast>(&read)) {
            // The spells told stay with the collection wherever its garden moves.
            garden::KeptWeather weather = kept ? std::move(*kept) : garden::KeptWeather{};
            garden::keepAnswer(weather, std::move(std::get<0>(answer)), *forecast, now, location.latitude,
                               location.longitude);
            auto notKept = garden::writeKeptWeather(keptFile, weather);
            return {garden::keptForecast(weather), now, true, std::move(notKept)};
        }
        why = std::get<std::string>(read);
    } else {
        why = std::get<1>(answer);
    }
    GardenWeather weather{std::nullopt, {}, false,
                          text::sayMessage(SHOWN_TEXT("The forecast could not be read from %1: %2."),
                                           {std::string(withoutTrailingSlash(location.forecastBase)), why})};
    if (keptHere) {
        weather.forecast = garden::keptForecast(*kept);
        weather.readAt = kept->readAt;
    }
    return weather;
}

std::string geocodingAddress(std::string_view forecastBase, std::string_view name)
{
    const std::string_view base = withoutTrailingSlash(forecastBase);
    const std::string_view server = base == garden::kOpenMeteoBase ? kOpenMeteoGeocoding : base;
    return std::string(server) + "/v1/search?name=" + percentEncoded(name) + "&count=10&language=en&format=json";
}

std::variant<std::vector<Town>, std::string> findTowns(std::string_view forecastBase, std::string_view name,
                                                       const WebGetter& get)
{
    Got answer = get(geocodingAddress(forecastBase, name));
    if (answer.index() == 1)
        return text::sayMessage(SHOWN_TEXT("The towns could not be looked up: %1."), {std::get<1>(answer)});
    const auto read = nlohmann::json::parse(std::get<0>(answer), nullptr, false);
    if (!read.is_object())
        return text::sayMessage(SHOWN_TEXT("The towns could not be looked up: %1."),
                                {text::sayMessage(SHOWN_TEXT("the answer is not JSON"))});
    std::vector<Town> towns;
    // No "results" at all is the geocoding's way of finding nothing.
    const auto results = read.find("results");
    if (results == read.end() || !results->is_array())
        return towns;
    for (const auto& item : *results)
        if (auto town = townOf(item); town && towns.size() < kMostTowns)
            towns.push_back(std::move(*town));
    return towns;
}

} // namespace talvane::reminders
