#include "ui/journal/DayWatch.h"

#include <algorithm>

namespace {

constexpr qint64 kLongestWait = 60 * 60 * 1000;

} // namespace

DayWatch::DayWatch(QObject* parent, Clock now) : QObject(parent), m_now(std::move(now)), m_day(m_now().date())
{
    // A coarse timer may come minutes early over hours; the day must have begun.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &DayWatch::look);
    arm();
}

void DayWatch::look()
{
    const QDate today = m_now().date();
    if (today != m_day) {
        m_day = today;
        emit dayBegan();
    }
    arm();
}

void DayWatch::arm()
{
    const QDateTime now = m_now();
    const qint64 untilMidnight = now.msecsTo(now.date().addDays(1).startOfDay());
    m_timer.start(static_cast<int>(std::clamp<qint64>(untilMidnight, 1, kLongestWait)));
}
