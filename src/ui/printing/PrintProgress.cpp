#include "ui/printing/PrintProgress.h"

#include <QCoreApplication>

#include <unistd.h>

namespace {

QString pageCountText(int ordinal, int count)
{
    return QCoreApplication::translate("PrintProgress", "Printing page %1 of %2").arg(ordinal).arg(count);
}

} // namespace

PrintProgressDialog::PrintProgressDialog(QWidget* window)
    : m_dialog(QString(), QCoreApplication::translate("PrintProgress", "&Cancel"), 0, 1, window)
{
    m_dialog.setWindowTitle(QStringLiteral("Talvane"));
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(500);
    m_dialog.setAutoClose(false);
    m_dialog.setAutoReset(false);
}

bool PrintProgressDialog::pageStarting(int ordinal, int count)
{
    m_dialog.setMaximum(count);
    m_dialog.setLabelText(pageCountText(ordinal, count));
    // A window-modal dialog handles its events here, Cancel among them.
    m_dialog.setValue(ordinal - 1);
    return !m_dialog.wasCanceled();
}

void PrintProgressDialog::countingPages()
{
    m_dialog.setLabelText(QCoreApplication::translate("PrintProgress", "Counting the pages\u2026"));
    // No known end: the bar shows work going on.
    m_dialog.setRange(0, 0);
    m_dialog.setValue(0);
}

TerminalPrintProgress::TerminalPrintProgress(std::FILE* stream)
    : m_stream(stream), m_onTerminal(isatty(fileno(stream)) == 1)
{
}

TerminalPrintProgress::~TerminalPrintProgress()
{
    if (m_lineOpen)
        std::fputc('\n', m_stream);
}

bool TerminalPrintProgress::pageStarting(int ordinal, int count)
{
    if (!m_onTerminal)
        return true;
    std::fprintf(m_stream, "\r%s", qPrintable(pageCountText(ordinal, count)));
    std::fflush(m_stream);
    m_lineOpen = true;
    return true;
}
