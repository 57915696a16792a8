#pragma once

#include <QTextBrowser>

// The help page shown by the program itself, for where no browser opens it. It
// stays open beside the main window; its style sheet and pictures are found beside
// the page, links within the help go to their place and links to other sites go to
// the desktop's browser, as far as there is one.
class HelpWindow : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);

    // Shows the page in the owner's help window, made on first use, in front.
    static HelpWindow& showPage(QWidget& owner, const QString& path);
};
