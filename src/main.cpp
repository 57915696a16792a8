#include "app/MainFrame.h"
#include "app/TalvaneApp.h"
#include "framework/BaseDirectory.h"
#include "framework/UiServices.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QSessionManager>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Talvane"));
    QApplication::setOrganizationName(QStringLiteral("Orvande"));
    SetBaseDirectory(QDir::currentPath());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Talvane: the record of every tree of a bonsai collection."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("collection"), QStringLiteral("A collection file (.tvn) to open."));
    const QCommandLineOption noSplash(QStringLiteral("no-splash"), QStringLiteral("Start without the splash picture."));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save a picture of the main window to FILE and exit."),
                                        QStringLiteral("FILE"));
    parser.addOption(noSplash);
    parser.addOption(screenshot);
    parser.process(application);

    auto services = UiServices::CreateQt();
    CTalvaneApp app(*services);
    StartOptions options;
    options.collection = parser.positionalArguments().value(0);
    options.splash = !parser.isSet(noSplash) && !parser.isSet(screenshot);
    if (!app.InitInstance(options))
        return 1;
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &app, &CTalvaneApp::OnCommitDataRequest);

    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        QTimer::singleShot(500, &app, [&app, file] {
            const bool saved = app.mainFrame()->grab().save(file);
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return application.exec();
}
