#include "ui/printing/PrintAside.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <thread>

void runAside(const std::function<void()>& work, const PrintProgressDialog& progress)
{
    std::atomic<bool> done = false;
    std::thread thread([&] {
        work();
        done = true;
        // Wakes the loop below, which may be waiting for an event.
        QMetaObject::invokeMethod(QCoreApplication::instance(), [] {}, Qt::QueuedConnection);
    });
    while (!done) {
        const QEventLoop::ProcessEventsFlags input =
            progress.isShown() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
        QCoreApplication::processEvents(input | QEventLoop::WaitForMoreEvents);
    }
    thread.join();
}

ProgressFromAside::ProgressFromAside(PrintProgressDialog& dialog) : m_dialog(dialog)
{
    m_cancel = QObject::connect(&m_dialog.dialog(), &QProgressDialog::canceled,
                                [state = m_state] { state->cancelled = true; });
}

ProgressFromAside::~ProgressFromAside()
{
    QObject::disconnect(m_cancel);
}

bool ProgressFromAside::pageStarting(int ordinal, int count)
{
    m_state->ordinal = ordinal;
    m_state->count = count;
    // One update waits in the window's queue at a time: it shows the latest page.
    if (m_state->told.exchange(false))
        QMetaObject::invokeMethod(
            &m_dialog.dialog(),
            [state = m_state, dialog = &m_dialog] {
                state->told = true;
                if (!dialog->pageStarting(state->ordinal, state->count))
                    state->cancelled = true;
            },
            Qt::QueuedConnection);
    return !m_state->cancelled;
}
