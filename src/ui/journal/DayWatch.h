#pragma once

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>

// Tells when a new local day begins while the program runs: at midnight, or within the
// hour after it when the machine slept through it or its clock was set anew, for a
// timer stands still while the machine sleeps.
class DayWatch : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    explicit DayWatch(QObject* parent = nullptr, Clock now = &QDateTime::currentDateTime);

    // How long until the clock is looked at again, in milliseconds.
    int nextLookIn() const { return m_timer.interval(); }

signals:
    void dayBegan();

private:
    void look();
    void arm();

    Clock m_now;
    QTimer m_timer;
    QDate m_day;
};
