#pragma once

#include "ui/printing/PrintProgress.h"

#include <atomic>
#include <functional>
#include <memory>

// Runs the long part of a print (counting pages, drawing them, finishing the file) on a
// thread of its own while the window's event loop goes on, and returns when it ends. The
// window repaints and its timers run meanwhile; clicks and keys wait until the progress
// dialog shows, which then keeps them from the window the print came from, so nothing
// starts a second print or closes the window midway. The work reads only what nothing
// changes meanwhile: a snapshot of the entries, and a printer the window leaves alone.
void runAside(const std::function<void()>& work, const PrintProgressDialog& progress);

// Tells a dialog on the window's thread how a print run on another thread goes, and
// hears its Cancel.
class ProgressFromAside : public PrintProgress {
public:
    explicit ProgressFromAside(PrintProgressDialog& dialog);
    ~ProgressFromAside() override;
    ProgressFromAside(const ProgressFromAside&) = delete;
    ProgressFromAside& operator=(const ProgressFromAside&) = delete;

    bool pageStarting(int ordinal, int count) override;

private:
    // Shared with the updates waiting in the window's queue, which may outlive this.
    struct State {
        std::atomic<int> ordinal = 0;
        std::atomic<int> count = 0;
        std::atomic<bool> told = true; // the dialog has shown the last page asked for
        std::atomic<bool> cancelled = false;
    };

    PrintProgressDialog& m_dialog;
    std::shared_ptr<State> m_state = std::make_shared<State>();
    QMetaObject::Connection m_cancel;
};
