#include "support/core/ForecastServer.h"

#include "support/core/TempDir.h"

ForecastServer::ForecastServer(std::string answer, int status) : m_answer(std::move(answer)), m_status(status)
{
    m_server.Get("/v1/forecast", [this](const httplib::Request& request, httplib::Response& response) {
        std::lock_guard lock(m_mutex);
        ++m_forecastsAsked;
        m_lastAsked = request.target;
        response.status = m_status;
        response.set_content(m_answer, "application/json");
    });
    m_server.Get("/v1/search", [this](const httplib::Request& request, httplib::Response& response) {
        std::lock_guard lock(m_mutex);
        m_lastAsked = request.target;
        response.set_content(m_searchAnswer, "application/json");
    });
    m_port = m_server.bind_to_any_port("127.0.0.1");
    // Bound, the socket already listens: a request made before the thread accepts it waits.
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
}

ForecastServer::~ForecastServer()
{
    stop();
}

std::string ForecastServer::base() const
{
    return "http://127.0.0.1:" + std::to_string(m_port);
}

void ForecastServer::answerWith(std::string answer, int status)
{
    std::lock_guard lock(m_mutex);
    m_answer = std::move(answer);
    m_status = status;
}

void ForecastServer::answerSearchWith(std::string answer)
{
    std::lock_guard lock(m_mutex);
    m_searchAnswer = std::move(answer);
}

int ForecastServer::forecastsAsked() const
{
    std::lock_guard lock(m_mutex);
    return m_forecastsAsked;
}

std::string ForecastServer::lastAsked() const
{
    std::lock_guard lock(m_mutex);
    return m_lastAsked;
}

void ForecastServer::stop()
{
    if (!m_thread.joinable())
        return;
    m_server.stop();
    m_thread.join();
}

std::string recordedForecast(const std::string& name)
{
    return readFileBytes(std::filesystem::path(TALVANE_SOURCE_DIR) / "tests" / "data" / "forecast" / name);
}
