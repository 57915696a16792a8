#pragma once

#include <QProgressDialog>

#include <cstdio>

// Hears of a print run page by page and may stop it between two pages.
class PrintProgress {
public:
    virtual ~PrintProgress() = default;
    // Called before the page `ordinal` (counted from 1) of the `count` pages of the run
    // is drawn; false stops the run there.
    virtual bool pageStarting(int ordinal, int count) = 0;
};

// "Printing page 12 of 240" with a Cancel button, shown once the run has lasted half
// a second. It keeps the other windows of its window from taking input meanwhile.
class PrintProgressDialog : public PrintProgress {
public:
    explicit PrintProgressDialog(QWidget* window);

    bool pageStarting(int ordinal, int count) override;
    // "Counting the pages…", before the run, shown like the pages after half a second.
    void countingPages();
    bool isShown() const { return m_dialog.isVisible(); }
    bool wasCancelled() const { return m_dialog.wasCanceled(); }
    QProgressDialog& dialog() { return m_dialog; }

private:
    QProgressDialog m_dialog;
};

// The same count as a line rewritten in place on a terminal; nothing elsewhere, so a
// log file or a pipe receives only the messages that matter.
class TerminalPrintProgress : public PrintProgress {
public:
    explicit TerminalPrintProgress(std::FILE* stream);
    ~TerminalPrintProgress() override;

    bool pageStarting(int ordinal, int count) override;

private:
    std::FILE* m_stream;
    bool m_onTerminal;
    bool m_lineOpen = false;
};
