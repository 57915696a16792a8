#pragma once

// moc cannot read the standard library's concepts, which the date brings in.
#ifndef Q_MOC_RUN
#include "core/garden/GardenAlerts.h"
#include "core/garden/GardenSettings.h"
#include "core/reminders/GardenWeather.h"
#endif

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>
#include <stop_token>
#include <vector>

class CTalvaneDoc;
class QThread;

// The window's watch over the garden: where the open collection's garden is, the
// forecast read for it at most every three hours on a thread of its own (the last one
// kept, so that the watch goes on offline), and the frost, heat and wire alerts of its
// trees, followed as they change. Each spell of frost or heat is announced once.
class GardenWatch : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    explicit GardenWatch(CTalvaneDoc& doc, QObject* parent = nullptr);
    ~GardenWatch() override;

    // Tests set the clock and the day the alerts are counted from.
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // The garden's place, from the settings beside the collection's path; none for an
    // untitled collection or a garden not yet placed.
    const std::optional<talvane::garden::GardenLocation>& location() const { return m_location; }
    // Keeps the place for the collection and reads its forecast; gives why it could not.
    std::optional<QString> setLocation(const std::optional<talvane::garden::GardenLocation>& location);

    // The forecast worked from: empty until one was read or kept.
    const talvane::garden::Forecast& forecast() const { return m_forecast; }
    bool hasForecast() const { return m_hasForecast; }
    const std::vector<talvane::garden::GardenAlert>& alerts() const { return m_alerts; }
    // How old the forecast worked from is, when it could not be read again; none while fresh.
    std::optional<std::chrono::system_clock::duration> staleFor() const
    {
        return m_staleSince ? std::optional(m_clock() - *m_staleSince) : std::nullopt;
    }
    talvane::journal::CalendarDate today() const;
    // What the status bar says: the first frost or heat alert and how many more, with
    // the forecast's age when it could not be read again; empty without alerts.
    QString summary() const;
    // Whether a forecast is being read.
    bool isReading() const { return m_reading != nullptr; }
    // Whether the alerts are being counted on their thread.
    bool isCounting() const { return m_counting != nullptr; }
    // Collections of this many trees or more have their alerts counted on a thread.
    static constexpr std::size_t kCountAloneFrom = 5000;
    void setCountAloneFrom(std::size_t trees) { m_countAloneFrom = trees; }

public slots:
    // Reads the forecast when the one kept is older than three hours (the timer looks
    // every ten minutes), and counts the alerts again.
    void refresh();
    // Counts the alerts again from the entries as they are: a large collection on a
    // thread of its own, from a snapshot, the alerts following when it ends.
    void recount();

signals:
    // The forecast, the alerts or the location changed.
    void changed();
    // Alerts of spells not announced before: a notice for the desktop and the status bar.
    void announced(const QString& summary, const QString& body);
    // A forecast could not be read: why, and the age of the one kept.
    void notice(const QString& text);

private:
    void openedFile();
    void readThen(const talvane::garden::GardenLocation& location);
    void took(const talvane::reminders::GardenWeather& weather);
    void announceNewSpells();
    void countAside();
    // The alerts of a count are the watch's; spells a new forecast brought are announced.
    void takeAlerts(std::vector<talvane::garden::GardenAlert> alerts);

    CTalvaneDoc& m_doc;
    Clock m_clock;
    QTimer m_timer;
    QTimer m_recount;
    std::filesystem::path m_collection;
    std::optional<talvane::garden::GardenLocation> m_location;
    talvane::garden::Forecast m_forecast;
    bool m_hasForecast = false;
    std::optional<std::chrono::system_clock::time_point> m_staleSince; // the kept forecast's time when offline
    std::vector<talvane::garden::GardenAlert> m_alerts;
    QThread* m_reading = nullptr;
    QThread* m_counting = nullptr;
    std::size_t m_countAloneFrom = kCountAloneFrom;
    bool m_countAgain = false;       // the trees or the forecast changed while a count ran
    bool m_announceWhenCounted = false;
    std::stop_source m_stopReading; // asked when the window goes
};
