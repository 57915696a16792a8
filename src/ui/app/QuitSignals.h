#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM and SIGHUP (a logout, a shutdown, `kill`) reach the event loop as a Qt
// signal: a signal handler itself may do almost nothing, so it only wakes the loop.
class QuitSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

signals:
    void quitRequested(int signalNumber);

private:
    QSocketNotifier* m_notifier = nullptr;
};
