#include "ui/journal/GardenWatch.h"

#include "core/collection/LocalTime.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/framework/CoreTexts.h"
#include "ui/framework/FilePaths.h"

#include <QStringList>
#include <QThread>

#include <algorithm>
#include <iterator>

using namespace talvane::garden;
using talvane::journal::CalendarDate;
using talvane::reminders::GardenWeather;

namespace {

// How often the watch looks whether the forecast is due again.
constexpr int kLookIntervalMs = 10 * 60 * 1000;

} // namespace

GardenWatch::GardenWatch(CTalvaneDoc& doc, QObject* parent)
    : QObject(parent), m_doc(doc), m_clock([] { return std::chrono::system_clock::now(); })
{
    m_timer.setInterval(kLookIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &GardenWatch::refresh);
    m_timer.start();
    // A change of the trees counts the alerts again once the event loop turns: a step
    // over many trees counts once.
    m_recount.setSingleShot(true);
    m_recount.setInterval(0);
    connect(&m_recount, &QTimer::timeout, this, &GardenWatch::recount);
    const auto recountLater = [this] { m_recount.start(); };
    connect(&m_doc, &CTalvaneDoc::entryChanged, this, recountLater);
    connect(&m_doc, &CTalvaneDoc::entryInserted, this, recountLater);
    connect(&m_doc, &CTalvaneDoc::entryRemoved, this, recountLater);
    connect(&m_doc, &CTalvaneDoc::entriesAppended, this, recountLater);
    connect(&m_doc, &CTalvaneDoc::entriesReset, this, &GardenWatch::openedFile);
    connect(&m_doc, &CTalvaneDoc::saved, this, &GardenWatch::openedFile);
}

GardenWatch::~GardenWatch()
{
    m_stopReading.request_stop();
    if (m_reading)
        m_reading->wait();
    if (m_counting)
        m_counting->wait();
}

CalendarDate GardenWatch::today() const
{
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(m_clock().time_since_epoch()).count();
    return CalendarDate::fromText(talvane::collection::localTimeText(seconds, "%Y-%m-%d")).value_or(CalendarDate::today());
}

void GardenWatch::openedFile()
{
    const std::filesystem::path collection = m_doc.pathName().isEmpty() ? std::filesystem::path() : fsPath(m_doc.pathName());
    if (collection == m_collection) {
        recount();
        return;
    }
    m_collection = collection;
    m_location.reset();
    m_forecast = {};
    m_hasForecast = false;
    m_staleSince.reset();
    if (!m_collection.empty()) {
        m_location = readGardenLocation(gardenLocationFile(m_collection)).location;
        const auto kept = readKeptWeather(keptWeatherFile(m_collection)).weather;
        if (m_location && kept && kept->latitude == m_location->latitude && kept->longitude == m_location->longitude)
            if (auto forecast = keptForecast(*kept)) {
                m_forecast = std::move(*forecast);
                m_hasForecast = true;
                m_staleSince = kept->readAt;
            }
    }
    recount();
    refresh();
}

std::optional<QString> GardenWatch::setLocation(const std::optional<GardenLocation>& location)
{
    if (m_collection.empty())
        return tr("Save the collection first: the garden's place is kept beside its file.");
    const auto file = gardenLocationFile(m_collection);
    if (const auto failure = location ? writeGardenLocation(file, *location) : forgetGardenLocation(file))
        return QString::fromStdString(*failure);
    const bool moved = !location || !m_location || location->latitude != m_location->latitude ||
                       location->longitude != m_location->longitude;
    m_location = location;
    if (moved) {
        m_forecast = {};
        m_hasForecast = false;
        m_staleSince.reset();
        recount();
    }
    refresh();
    return std::nullopt;
}

void GardenWatch::refresh()
{
    if (m_location && !m_reading && !m_collection.empty())
        readThen(*m_location);
}

void GardenWatch::readThen(const GardenLocation& location)
{
    auto weather = std::make_shared<GardenWeather>();
    m_reading = QThread::create([weather, file = keptWeatherFile(m_collection), location, now = m_clock(),
                                 stop = m_stopReading.get_token()] {
        *weather = talvane::reminders::weatherFor(file, location, now, stop);
    });
    m_reading->setParent(this);
    // A forecast read for a collection no longer open, or a place since changed, is
    // only kept in its file.
    connect(m_reading, &QThread::finished, this, [this, weather, collection = m_collection, location] {
        m_reading->deleteLater();
        m_reading = nullptr;
        if (collection == m_collection && m_location == location)
            took(*weather);
    });
    m_reading->start();
}

void GardenWatch::took(const GardenWeather& weather)
{
    if (weather.forecast) {
        m_forecast = *weather.forecast;
        m_hasForecast = true;
        m_staleSince = weather.fresh ? std::nullopt : std::optional(weather.readAt);
    }
    if (weather.failure) {
        const QString why = QString::fromStdString(*weather.failure);
        emit notice(m_hasForecast ? tr("The forecast could not be read again (%1): %2")
                                        .arg(why, QString::fromStdString(forecastAgeText(m_clock() - weather.readAt, windowWords)))
                                  : tr("The forecast could not be read: %1").arg(why));
    }
    m_announceWhenCounted = true;
    recount();
}

void GardenWatch::recount()
{
    if (m_counting) {
        m_countAgain = true;
        return;
    }
    if (m_hasForecast && m_doc.entryCount() >= m_countAloneFrom) {
        countAside();
        return;
    }
    takeAlerts(m_hasForecast ? gardenAlerts(m_doc.entries(), m_forecast, today()) : std::vector<GardenAlert>{});
}

void GardenWatch::countAside()
{
    auto alerts = std::make_shared<std::vector<GardenAlert>>();
    m_counting = QThread::create([alerts, entries = m_doc.entries(), forecast = m_forecast, day = today()] {
        *alerts = gardenAlerts(entries, forecast, day);
    });
    m_counting->setParent(this);
    connect(m_counting, &QThread::finished, this, [this, alerts] {
        m_counting->deleteLater();
        m_counting = nullptr;
        // A count overtaken by a change is counted again; its alerts would name trees as they were.
        if (std::exchange(m_countAgain, false))
            recount();
        else
            takeAlerts(std::move(*alerts));
    });
    m_counting->start();
}

void GardenWatch::takeAlerts(std::vector<GardenAlert> alerts)
{
    m_alerts = std::move(alerts);
    emit changed();
    if (std::exchange(m_announceWhenCounted, false))
        announceNewSpells();
}

void GardenWatch::announceNewSpells()
{
    const auto file = keptWeatherFile(m_collection);
    auto kept = readKeptWeather(file).weather;
    if (!kept)
        return;
    std::vector<GardenAlert> spells;
    std::ranges::copy_if(m_alerts, std::back_inserter(spells), [](const GardenAlert& alert) { return alert.kind != AlertKind::Wire; });
    const std::vector<GardenAlert> fresh = kept->spells.takeNew(m_doc.entries(), spells);
    writeKeptWeather(file, *kept);
    const std::vector<AlertGroup> groups = groupAlerts(fresh);
    if (groups.empty())
        return;
    QStringList more;
    for (std::size_t i = 1; i < groups.size(); ++i)
        more << QString::fromStdString(alertGroupText(groups[i], windowWords));
    emit announced(QString::fromStdString(alertGroupText(groups.front(), windowWords)), more.join(QLatin1Char('\n')));
}

QString GardenWatch::summary() const
{
    const std::vector<AlertGroup> groups = groupAlerts(m_alerts);
    if (groups.empty())
        return {};
    QString text = QString::fromStdString(alertGroupText(groups.front(), windowWords));
    if (groups.size() > 1)
        text = groups.size() == 2 ? tr("%1 (1 more alert in Care due)").arg(text)
                                  : tr("%1 (%2 more alerts in Care due)").arg(text).arg(groups.size() - 1);
    if (m_staleSince)
        text = tr("%1 — %2").arg(text, QString::fromStdString(forecastAgeText(m_clock() - *m_staleSince, windowWords)));
    return text;
}
