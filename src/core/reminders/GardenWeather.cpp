#include "core/reminders/GardenWeather.h"

#include "core/reminders/CurlTransfer.h"
#include "core/text/Words.h"

#include <nlohmann/json.hpp>

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

// Why a server refused: Open-Meteo's "reason", else its status alone.
std::string refusalOf(long status, const std::string& answer)
{
    const auto read = nlohmann::json::parse(answer, nullptr, false);
    std::string reason;
    if (read.is_object())
        if (const auto found = read.find("reason"); found != read.end() && found->is_string())
            reason = found->get<std::string>();
    return serverRefusal(status, reason);
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

std::variant<std::string, std::string> getOverHttp(const std::string& address, std::stop_token stop)
{
    CurlTransfer transfer({kConnectSeconds, kGetSeconds, garden::kForecastAnswerLimit, true},
                          [stop] { return stop.stop_requested(); });
    transfer.set(CURLOPT_URL, address.c_str());
    transfer.set(CURLOPT_PROTOCOLS_STR, "http,https");
    transfer.set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    transfer.set(CURLOPT_FOLLOWLOCATION, 1L);
    transfer.set(CURLOPT_MAXREDIRS, kMostRedirects);
    // The limit holds for the answer unpacked, so a small packed answer cannot swell past it.
    transfer.set(CURLOPT_ACCEPT_ENCODING, "");
    transfer.set(CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(garden::kForecastAnswerLimit));
    transfer.set(CURLOPT_USERAGENT, "Talvane");
    const auto failed = transfer.perform();
    if (transfer.answerTooLong())
        return failure(tooLarge());
    if (failed)
        return failure(*failed);
    if (transfer.responseCode() >= 400)
        return failure(refusalOf(transfer.responseCode(), transfer.answer()));
    return body(transfer.answer());
}

GardenWeather weatherFor(const std::filesystem::path& keptFile, const garden::GardenLocation& location,
                         std::chrono::system_clock::time_point now, std::stop_token stop)
{
    auto kept = garden::readKeptWeather(keptFile).weather;
    const bool keptHere = kept && kept->latitude == location.latitude && kept->longitude == location.longitude;
    // A clock put back makes a kept answer look younger than it is: it is read again.
    if (keptHere && now >= kept->readAt && now - kept->readAt < garden::kForecastInterval)
        if (auto forecast = garden::keptForecast(*kept))
            return {std::move(forecast), kept->readAt, true, std::nullopt};

    Got answer = getOverHttp(garden::forecastAddress(location.forecastBase, location.latitude, location.longitude), stop);
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
                                                       std::stop_token stop)
{
    Got answer = getOverHttp(geocodingAddress(forecastBase, name), stop);
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
