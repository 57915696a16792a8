#pragma once

#include "ui/framework/UiServices.h"

// Opens the help page with the desktop's opener (xdg-open), and watches how the opener
// ends: one that cannot start, or ends in failure because no browser is there or the
// one there refuses to run (as a browser run by root does), means the page did not
// open. A browser still running after the watch has the page: how it ends later is
// no longer the help's business, and it goes on after the program ends.
class DesktopHelpOpener : public HelpOpener {
public:
    static constexpr int kWatchMs = 15000;

    explicit DesktopHelpOpener(QString opener = QStringLiteral("xdg-open"), int watchMs = kWatchMs);
    ~DesktopHelpOpener() override;

    void openPage(const QString& path) override;

private:
    QString m_opener;
    int m_watchMs;
};
