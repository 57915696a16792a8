#include "app/MainFrame.h"
#include "app/QuitSignals.h"
#include "app/TalvaneApp.h"
#include "framework/BaseDirectory.h"
#include "framework/Translations.h"
#include "framework/UiServices.h"
#include "journal/CareDueReminder.h"
#include "printing/BatchPrint.h"
#include "text/NumberOption.h"

#include <QApplication>
#include <QCommandLineParser>
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

// A reminder needs no window: it runs at login before the desktop may be ready for one.
bool AsksForReminder(int argc, char** argv)
{
    return std::any_of(argv + 1, argv + argc, [](const char* argument) { return std::strcmp(argument, "--remind") == 0; });
}

QStringList ArgumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// A PDF or the help text needs no window, and is often asked for where there is no
// display at all (over ssh, from a scheduled job): there Qt's offscreen platform
// stands in for one, where the default platform would abort the program.
void StandInForAMissingDisplay()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The notifications of the care due in each collection; one chosen opens its collection
// in a program of its own, with Care due open.
int RemindOfCareDue(const QStringList& collections)
{
    if (collections.isEmpty()) {
        std::fprintf(stderr, "talvane: use --remind COLLECTION.tvn...\n");
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

} // namespace

int main(int argc, char** argv)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Talvane: the record of every tree of a bonsai collection."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("collection"), QStringLiteral("A collection file (.tvn) to open."));
    const QCommandLineOption noSplash(QStringLiteral("no-splash"), QStringLiteral("Start without the splash picture."));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save a picture of the main window to FILE and exit."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption printPdf(QStringLiteral("print-pdf"),
                                      QStringLiteral("Print the report of the collection to a PDF FILE and exit."),
                                      QStringLiteral("FILE"));
    const QCommandLineOption entry(QStringLiteral("entry"), QStringLiteral("With --print-pdf: the entry N only (from 0)."),
                                   QStringLiteral("N"));
    const QCommandLineOption all(QStringLiteral("all"), QStringLiteral("With --print-pdf: every entry."));
    const QCommandLineOption inventory(QStringLiteral("inventory"),
                                       QStringLiteral("With --print-pdf: the collection list as a table, one line per tree."));
    const QCommandLineOption find(QStringLiteral("find"),
                                  QStringLiteral("With --inventory: only the trees in which every word of WORDS appears."),
                                  QStringLiteral("WORDS"));
    const QCommandLineOption remind(kRemindOption,
                                    QStringLiteral("Show a desktop notification of the care due today or overdue in "
                                                   "each collection given, and exit once it is closed."));
    const QCommandLineOption careDue(kCareDueOption, QStringLiteral("Open the Care due window once the collection is open."));
    parser.addOption(noSplash);
    parser.addOption(inventory);
    parser.addOption(find);
    parser.addOption(screenshot);
    parser.addOption(printPdf);
    parser.addOption(entry);
    parser.addOption(all);
    parser.addOption(remind);
    parser.addOption(careDue);
    const QCommandLineOption version = parser.addVersionOption();

    // Read once before the application is made, as what is asked decides how it is made.
    // Arguments for Qt itself (-style, -platform) are not known here and make this
    // reading fail: the program then starts as usual and the application takes them.
    const bool understood = parser.parse(ArgumentsOf(argc, argv));
    if (understood && parser.isSet(version)) {
        std::printf("talvane %s\n", TALVANE_VERSION);
        return 0;
    }
    if (understood && (parser.isSet(printPdf) || parser.isSet(QStringLiteral("help")) ||
                       parser.isSet(QStringLiteral("help-all"))))
        StandInForAMissingDisplay();
    const auto application = AsksForReminder(argc, argv) ? std::make_unique<QCoreApplication>(argc, argv)
                                                         : std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Talvane"));
    QApplication::setOrganizationName(QStringLiteral("Orvande"));
    SetBaseDirectory(QDir::currentPath());
    const InstalledLanguage language(Translations::languageFor(Translations::chosenLanguage()));
    parser.process(*application);

    if (parser.isSet(remind))
        return RemindOfCareDue(parser.positionalArguments());

    if (parser.isSet(printPdf) && parser.isSet(inventory)) {
        if (parser.positionalArguments().size() != 1 || parser.isSet(entry) || parser.isSet(all)) {
            std::fprintf(stderr, "talvane: use --print-pdf OUT.pdf --inventory [--find WORDS] COLLECTION.tvn\n");
            return 1;
        }
        return PrintInventoryToPdf(parser.positionalArguments().constFirst(), parser.value(printPdf),
                                   parser.values(find).join(QLatin1Char(' ')));
    }
    if (parser.isSet(printPdf)) {
        if (parser.positionalArguments().size() != 1 || parser.isSet(entry) == parser.isSet(all)) {
            std::fprintf(stderr, "talvane: use --print-pdf OUT.pdf (--entry N | --all) COLLECTION.tvn\n");
            return 1;
        }
        const std::string given = parser.value(entry).toStdString();
        const auto index = text::ReadNumberOption(text::kEntryNumberOption, given);
        if (parser.isSet(entry) && !index) {
            std::fprintf(stderr, "talvane: %s\n", text::NumberOptionError(text::kEntryNumberOption, given).c_str());
            return 1;
        }
        return PrintCollectionToPdf(parser.positionalArguments().constFirst(), parser.value(printPdf), index);
    }

    auto services = UiServices::createQt();
    CTalvaneApp app(*services);
    StartOptions options;
    options.collection = parser.positionalArguments().value(0);
    options.splash = !parser.isSet(noSplash) && !parser.isSet(screenshot);
    options.careDue = parser.isSet(careDue);
    // A picture of the window for the documentation tells the desktop nothing.
    if (!parser.isSet(screenshot))
        options.notificationBus = QDBusConnection::sessionBus();
    // Before start-up: a logout may come while its first question is still open.
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &app, &CTalvaneApp::onQuitSignal);
    if (!app.InitInstance(options))
        return 1;
    if (app.quitBySignal())
        return 0;
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &app, &CTalvaneApp::onCommitDataRequest);

    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        QTimer::singleShot(500, &app, [&app, file] {
            const bool saved = app.mainFrame()->grab().save(file);
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
