#include "ui/app/HelpPage.h"
#include "ui/framework/Translations.h"
#include "ui/app/HelpWindow.h"
#include "ui/framework/DesktopHelpOpener.h"

#include "support/ui/AppFixture.h"

#include <QDesktopServices>
#include <QImage>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <QUrl>

#include <fstream>
#include <tuple>

namespace {

// Takes the links the help hands to the desktop's browser.
class BrowserStandIn : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { opened.append(url); }

public:
    QList<QUrl> opened;
};

// Sets the language of the program's texts for one test.
class HelpWindowTest : public AppFixture {
protected:
    // A help page with a picture in a folder beside it, a link to the page's own end
    // and one to another site.
    QString writePage(const std::filesystem::path& folder, const std::string& title)
    {
        std::filesystem::create_directories(folder / "pics");
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        picture.save(q(folder / "pics" / "leaf.png"));
        std::ofstream page(folder / "index.htm");
        page << "<html><head><meta charset=\"utf-8\"></head><body><h1>" << title << "</h1>"
             << "<p><a href=\"#end\">To the end</a> <a href=\"https://example.org/moss\">Moss</a>"
             << "<img src=\"pics/leaf.png\"></p>";
        for (int i = 0; i < 300; ++i)
            page << "<p>Line " << i << "</p>";
        page << "<h2 id=\"end\">The end</h2></body></html>";
        return q(folder / "index.htm");
    }

    // The help as the program ships it.
    QString copyShippedHelp()
    {
        std::filesystem::copy(std::filesystem::path(TALVANE_SOURCE_DIR) / "data" / "hlp", dir / "hlp",
                              std::filesystem::copy_options::recursive);
        return q(dir / "hlp" / "index.htm");
    }

    QList<HelpWindow*> helpWindows() const { return frame().findChildren<HelpWindow*>(); }

    // Opens help on a fresh window, as no browser opens it.
    HelpWindow* openFreshWindow()
    {
        qDeleteAll(helpWindows());
        ui.help.result = false;
        frame().OnHelpOpen();
        const QList<HelpWindow*> windows = helpWindows();
        return windows.size() == 1 ? windows[0] : nullptr;
    }

    // Moves the keyboard to the nth link with Tab and follows it with Return, as a user does.
    static void followLink(HelpWindow& window, int nth)
    {
        for (int i = 0; i < nth; ++i)
            QTest::keyClick(&window, Qt::Key_Tab);
        QTest::keyClick(&window, Qt::Key_Return);
    }
};

} // namespace

TEST_F(HelpWindowTest, WithoutABrowserTheShippedHelpOpensInAWindowOfItsOwn)
{
    ASSERT_TRUE(start());
    const QString page = copyShippedHelp();
    HelpWindow* window = openFreshWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(ui.help.pages.size(), 1u) << "the browser is tried first";
    EXPECT_EQ(ui.help.pages[0], page);
    EXPECT_TRUE(ui.prompter.calls().empty()) << "no message while the page can be shown";

    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isWindow());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Talvane Help"));
    EXPECT_EQ(window->source(), QUrl::fromLocalFile(page));
    EXPECT_TRUE(window->toPlainText().startsWith(QStringLiteral("Talvane help")))
        << window->toPlainText().left(80).toStdString();
    // talvane.css, beside the page, colours the headings.
    QTextCursor title(window->document());
    title.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(title.charFormat().foreground().color(), QColor(0x2f, 0x5a, 0x2a));

    // The contents lead to their sections.
    followLink(*window, 1);
    EXPECT_EQ(window->source().fragment(), QStringLiteral("collection"));
    EXPECT_GT(window->verticalScrollBar()->value(), 0);

    // Asked again, the same window comes to the front.
    frame().OnHelpOpen();
    EXPECT_EQ(helpWindows().size(), 1);
    EXPECT_EQ(ui.help.pages.size(), 2u);
}

TEST_F(HelpWindowTest, PicturesBesideThePageShowAndOtherSitesGoToTheBrowser)
{
    ASSERT_TRUE(start());
    const QString page = writePage(dir / "hlp", "Trees in pots \u00E9t\u00E9");
    HelpWindow* window = openFreshWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->toPlainText().startsWith(QStringLiteral("Trees in pots \u00E9t\u00E9\n")));
    const QImage picture =
        window->document()->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("pics/leaf.png"))).value<QImage>();
    EXPECT_EQ(picture.size(), QSize(40, 30));

    EXPECT_EQ(window->verticalScrollBar()->value(), 0);
    followLink(*window, 1);
    EXPECT_EQ(window->source().fragment(), QStringLiteral("end"));
    EXPECT_GT(window->verticalScrollBar()->value(), 0) << "the page scrolled to its end";

    BrowserStandIn browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
    window = openFreshWindow();
    ASSERT_NE(window, nullptr);
    followLink(*window, 2);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    EXPECT_EQ(browser.opened, (QList<QUrl>{QUrl(QStringLiteral("https://example.org/moss"))}));
    EXPECT_EQ(window->source(), QUrl::fromLocalFile(page)) << "another site is not shown in the help";
}

TEST_F(HelpWindowTest, WithABrowserOrWithoutThePageNoWindowOpens)
{
    ASSERT_TRUE(start());
    ui.prompter.expect(mb::kIdOk, QStringLiteral("Could not open Talvane help file 'Hlp\\Index.htm'"),
                       QStringLiteral("Attention"), 0);
    ui.help.result = false;
    frame().OnHelpOpen();
    EXPECT_TRUE(helpWindows().isEmpty());

    writePage(dir / "hlp", "Help");
    ui.help.result = true;
    frame().OnHelpOpen();
    EXPECT_EQ(ui.help.pages.size(), 1u);
    EXPECT_TRUE(helpWindows().isEmpty());
}

TEST_F(HelpWindowTest, AnOpenerThatFailsOrIsMissingMeansThePageDidNotOpen)
{
    // Openers in xdg-open's place: each writes down the page it is given, waits, and ends with its status.
    const auto opener = [this](int status, int seconds) {
        const auto script = dir / ("opener" + std::to_string(status));
        std::ofstream(script) << "#!/bin/sh\nsleep " << seconds << "\necho \"$1\" > " << dir / "asked" << "\nexit " << status;
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        return q(script);
    };
    const QString page = writePage(dir / "hlp", "Help");
    // A browser that refuses to run fails its opener; one still running when the watch ends has the page.
    const std::tuple<QString, int, int> cases[] = {
        {opener(4, 0), 15000, 1}, {q(dir / "none"), 15000, 1}, {opener(0, 0), 15000, 0}, {opener(5, 1), 100, 0}};
    for (const auto& [command, watchMs, failures] : cases) {
        DesktopHelpOpener desktop(command, watchMs);
        QSignalSpy notOpened(&desktop, &HelpOpener::pageNotOpened);
        desktop.openPage(page);
        EXPECT_TRUE(QTest::qWaitFor([&] { return desktop.findChildren<QProcess*>().isEmpty(); }, 10000));
        EXPECT_EQ(notOpened.count(), failures) << command.toStdString();
    }
    // The slow one is left running, as a browser it became would be.
    std::filesystem::remove(dir / "asked");
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(dir / "asked"); }, 5000));
    EXPECT_EQ(readFileBytes(dir / "asked"), QUrl::fromLocalFile(page).toString().toStdString() + "\n");
}

TEST_F(HelpWindowTest, TheFrenchPageIsChosenWhereTheTextsAreFrenchAndItIsThere)
{
    {
        const InstalledLanguage english(QStringLiteral("en"));
        EXPECT_EQ(helpPagePath(), QStringLiteral("hlp/index.htm"));
    }
    const InstalledLanguage french(QStringLiteral("fr"));
    std::filesystem::create_directories(dir / "hlp" / "fr" / "index.htm");
    EXPECT_EQ(helpPagePath(), QStringLiteral("hlp/index.htm")) << "a folder is not a page";
    std::filesystem::remove(dir / "hlp" / "fr" / "index.htm");
    writePage(dir / "hlp", "Help");
    const QString page = writePage(dir / "hlp" / "fr", "Aide de Talvane");
    EXPECT_EQ(helpPagePath(), QStringLiteral("hlp/fr/index.htm"));

    ASSERT_TRUE(start());
    HelpWindow* window = openFreshWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(ui.help.pages.size(), 1u);
    EXPECT_EQ(ui.help.pages[0], page);
    EXPECT_TRUE(window->toPlainText().startsWith(QStringLiteral("Aide de Talvane")));
    {
        const InstalledLanguage english(QStringLiteral("en"));
        EXPECT_EQ(helpPagePath(), QStringLiteral("hlp/index.htm"));
    }
}

#include "HelpWindowTest.moc"
