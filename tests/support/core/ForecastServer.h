#pragma once

#include <httplib.h>

#include <mutex>
#include <string>
#include <thread>

// A forecast server on loopback, as Open-Meteo answers: /v1/forecast with the answer
// and status given, /v1/search with the geocoding answer given. It counts the forecasts
// asked for and keeps the last address asked.
class ForecastServer {
public:
    explicit ForecastServer(std::string answer, int status = 200);
    ~ForecastServer();
    ForecastServer(const ForecastServer&) = delete;
    ForecastServer& operator=(const ForecastServer&) = delete;

    // "http://127.0.0.1:PORT".
    std::string base() const;
    void answerWith(std::string answer, int status = 200);
    void answerSearchWith(std::string answer);
    int forecastsAsked() const;
    // The path and query of the last request.
    std::string lastAsked() const;
    // From then on nothing answers at its address: the garden offline.
    void stop();

private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::string m_answer;
    int m_status = 200;
    std::string m_searchAnswer = "{}";
    int m_forecastsAsked = 0;
    std::string m_lastAsked;
};

// A recorded answer of Open-Meteo, tests/data/forecast/NAME.
std::string recordedForecast(const std::string& name);
