#include "ui/app/HelpWindow.h"

#include <QUrl>

HelpWindow::HelpWindow(QWidget* owner) : QTextBrowser(owner)
{
    setWindowFlag(Qt::Window);
    setWindowTitle(tr("Talvane Help"));
    // Through QDesktopServices, as the help's own links are followed here.
    setOpenExternalLinks(true);
    resize(760, 640);
}

HelpWindow& HelpWindow::showPage(QWidget& owner, const QString& path)
{
    auto* window = owner.findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new HelpWindow(&owner);
    window->setSource(QUrl::fromLocalFile(path));
    window->show();
    window->raise();
    window->activateWindow();
    return *window;
}
