#include "ui/app/MainFrame.h"
#include "ui/app/QuitSignals.h"
#include "ui/app/ServingInBackground.h"
#include "ui/app/TalvaneApp.h"
#include "ui/framework/BaseDirectory.h"
#include "ui/framework/Translations.h"
#include "ui/framework/UiServices.h"
#include "ui/journal/CareDueReminder.h"
#include "ui/printing/BatchPrint.h"
#include "core/text/NumberOption.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QSessionManager>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const QString kRemindOption = QStringLiteral("remind");
const QString kCareDueOption = QStringLiteral("care-due");

// One line on the terminal's error output, in its encoding.
void sayOnTerminal(const QString& line)
{
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

// A reminder needs no window: it runs at login before the desktop may be ready for one.
bool asksForReminder(int argc, char** argv)
{
    return std::any_of(argv + 1, argv + argc, [](const char* argument) { return std::strcmp(argument, "--remind") == 0; });
}

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// A PDF or the help text needs no window, and is often asked for where there is no
// display at all (over ssh, from a scheduled job): there Qt's offscreen platform
// stands in for one, where the default platform would abort the program.
void standInForAMissingDisplay()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The notifications of the care due in each collection; one chosen opens its collection
// in a program of its own, with Care due open. A choice is told by a signal that only a
// running sender hears (dunst sends it to the sender alone), and neither dunst nor
// notification-daemon starts a program for the notification's desktop entry: the reminder
// stays a few seconds for a choice, then takes the notifications still up down and ends.
int remindOfCareDue(const QStringList& collections)
{
    if (collections.isEmpty()) {
        sayOnTerminal(QCoreApplication::translate("CommandLine", "talvane: use --remind COLLECTION.tvn..."));
        return 1;
    }
    QTextStream out(stdout);
    QTextStream errors(stderr);
    CareDueReminder reminder(QDBusConnection::sessionBus(), out, errors);
    QObject::connect(&reminder, &CareDueReminder::careDueRequested, [](const QString& collection) {
        QProcess::startDetached(QCoreApplication::applicationFilePath(), {QStringLiteral("--") + kCareDueOption, collection});
    });
    QObject::connect(&reminder, &CareDueReminder::finished, QCoreApplication::instance(), &QCoreApplication::quit);
    if (reminder.remind(collections))
        QCoreApplication::exec();
    return reminder.exitCode();
}

// What the program is asked from its command line, described in the language
// installed when it is made.
class CommandLine {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    CommandLine()
    {
        parser.setApplicationDescription(tr("Talvane: the record of every tree of a bonsai collection."));
        parser.addHelpOption();
        parser.addPositionalArgument(QStringLiteral("collection"), tr("A collection file (.tvn) to open."));
        for (const QCommandLineOption* option :
             {&noSplash, &inventory, &find, &screenshot, &printPdf, &entry, &all, &remind, &careDue, &background})
            parser.addOption(*option);
        parser.addVersionOption();
    }

    QCommandLineParser parser;
    const QCommandLineOption noSplash{QStringLiteral("no-splash"), tr("Start without the splash picture.")};
    const QCommandLineOption screenshot{QStringLiteral("screenshot"), tr("Save a picture of the main window to FILE and exit."),
                                        QStringLiteral("FILE")};
    const QCommandLineOption printPdf{QStringLiteral("print-pdf"), tr("Print the report of the collection to a PDF FILE and exit."),
                                      QStringLiteral("FILE")};
    const QCommandLineOption entry{QStringLiteral("entry"), tr("With --print-pdf: the entry N only (from 0)."), QStringLiteral("N")};
    const QCommandLineOption all{QStringLiteral("all"), tr("With --print-pdf: every entry.")};
    const QCommandLineOption inventory{QStringLiteral("inventory"),
                                       tr("With --print-pdf: the collection list as a table, one line per tree.")};
    const QCommandLineOption find{QStringLiteral("find"), tr("With --inventory: only the trees in which every word of WORDS appears."),
                                  QStringLiteral("WORDS")};
    const QCommandLineOption remind{kRemindOption, tr("Show a desktop notification of the care due today or overdue in "
                                                      "each collection given, and exit once it is chosen or closed, or "
                                                      "after %1 seconds.")
                                                       .arg(CareDueReminder::kChoiceWaitMs / 1000)};
    const QCommandLineOption careDue{kCareDueOption, tr("Open the Care due window once the collection is open.")};
    const QCommandLineOption background{QStringLiteral("background"),
                                        tr("Share the collection with its paired phones on ADDR (0.0.0.0: every "
                                           "network) and go on in the background, without the window."),
                                        QStringLiteral("ADDR")};
};

// Read once before the application is made, as what is asked decides how it is made.
// Arguments for Qt itself (-style, -platform) are not known here and make this
// reading fail: the program then starts as usual and the application takes them.
// True when the version was asked for and told: nothing else is to be done.
bool toldVersionBeforeStart(int argc, char** argv)
{
    CommandLine early;
    const bool understood = early.parser.parse(argumentsOf(argc, argv));
    if (understood && early.parser.isSet(QStringLiteral("version"))) {
        std::printf("talvane %s\n", TALVANE_VERSION);
        return true;
    }
    if (understood && (early.parser.isSet(early.printPdf) || early.parser.isSet(QStringLiteral("help")) ||
                       early.parser.isSet(QStringLiteral("help-all"))))
        standInForAMissingDisplay();
    return false;
}

int printInventoryAsAsked(const CommandLine& commandLine)
{
    const QCommandLineParser& parser = commandLine.parser;
    if (parser.positionalArguments().size() != 1 || parser.isSet(commandLine.entry) || parser.isSet(commandLine.all)) {
        sayOnTerminal(CommandLine::tr("talvane: use --print-pdf OUT.pdf --inventory [--find WORDS] COLLECTION.tvn"));
        return 1;
    }
    return printInventoryToPdf(parser.positionalArguments().constFirst(), parser.value(commandLine.printPdf),
                               parser.values(commandLine.find).join(QLatin1Char(' ')));
}

int printReportAsAsked(const CommandLine& commandLine)
{
    const QCommandLineParser& parser = commandLine.parser;
    if (parser.positionalArguments().size() != 1 || parser.isSet(commandLine.entry) == parser.isSet(commandLine.all)) {
        sayOnTerminal(CommandLine::tr("talvane: use --print-pdf OUT.pdf (--entry N | --all) COLLECTION.tvn"));
        return 1;
    }
    const std::string given = parser.value(commandLine.entry).toStdString();
    const auto index = talvane::text::readNumberOption(talvane::text::kEntryNumberOption, given);
    if (parser.isSet(commandLine.entry) && !index) {
        sayOnTerminal(CommandLine::tr("talvane: %1")
                          .arg(QString::fromStdString(talvane::text::numberOptionError(talvane::text::kEntryNumberOption, given))));
        return 1;
    }
    return printCollectionToPdf(parser.positionalArguments().constFirst(), parser.value(commandLine.printPdf), index);
}

void setWindowOptions(StartOptions& options, const CommandLine& commandLine)
{
    const QCommandLineParser& parser = commandLine.parser;
    options.splash = !parser.isSet(commandLine.noSplash) && !parser.isSet(commandLine.screenshot);
    options.careDue = parser.isSet(commandLine.careDue);
    // A picture of the window for the documentation tells the desktop nothing.
    if (!parser.isSet(commandLine.screenshot))
        options.notificationBus = QDBusConnection::sessionBus();
}

void saveScreenshotSoon(CTalvaneApp& app, const QString& file)
{
    QTimer::singleShot(500, &app, [&app, file] {
        const bool saved = app.mainFrame()->grab().save(file);
        QApplication::exit(saved ? 0 : 1);
    });
}

int runWindow(const CommandLine& commandLine)
{
    const QCommandLineParser& parser = commandLine.parser;
    StartOptions options;
    options.collection = parser.positionalArguments().value(0);
    options.serveInBackgroundOn = parser.value(commandLine.background);
    // The program serving this collection in the background shows its window instead.
    if (options.serveInBackgroundOn.isEmpty() && !parser.isSet(commandLine.screenshot) &&
        ServingInBackground::showRunningProgram(ServingInBackground::defaultSocketPath(), options.collection))
        return 0;
    auto services = UiServices::createQt();
    CTalvaneApp app(*services);
    setWindowOptions(options, commandLine);
    // Before start-up: a logout may come while its first question is still open.
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &app, &CTalvaneApp::onQuitSignal);
    if (!app.InitInstance(options))
        return 1;
    if (app.quitBySignal())
        return 0;
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &app, &CTalvaneApp::onCommitDataRequest);

    if (parser.isSet(commandLine.screenshot))
        saveScreenshotSoon(app, parser.value(commandLine.screenshot));
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    if (toldVersionBeforeStart(argc, argv))
        return 0;
    const auto application = asksForReminder(argc, argv) ? std::make_unique<QCoreApplication>(argc, argv)
                                                         : std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Talvane"));
    QApplication::setOrganizationName(QStringLiteral("Orvande"));
    setBaseDirectory(QDir::currentPath());
    const InstalledLanguage language(Translations::languageFor(Translations::chosenLanguage()));
    CommandLine commandLine;
    commandLine.parser.process(*application);
    const QCommandLineParser& parser = commandLine.parser;

    if (parser.isSet(commandLine.remind))
        return remindOfCareDue(parser.positionalArguments());
    if (parser.isSet(commandLine.printPdf) && parser.isSet(commandLine.inventory))
        return printInventoryAsAsked(commandLine);
    if (parser.isSet(commandLine.printPdf))
        return printReportAsAsked(commandLine);
    return runWindow(commandLine);
}
