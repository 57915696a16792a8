#include "support/ui/OffscreenTests.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The offscreen platform reads its screens from a file named after "configfile=".
QByteArray offscreenPlatform(const QDir& home, OffscreenScreen screen)
{
    const QString path = home.filePath(QStringLiteral("screens.json"));
    QFile config(path);
    if (config.open(QIODevice::WriteOnly))
        config.write(QStringLiteral(R"({"screens":[{"name":"test","x":0,"y":0,"width":%1,"height":%2,)"
                                    R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})")
                         .arg(screen.width)
                         .arg(screen.height)
                         .toUtf8());
    return "offscreen:configfile=" + QFile::encodeName(path);
}

} // namespace

int runOffscreenTests(int argc, char** argv, OffscreenScreen screen)
{
    QTemporaryDir temporary;
    const QDir home(temporary.path());
    qputenv("QT_QPA_PLATFORM", offscreenPlatform(home, screen));
    qputenv("XDG_RUNTIME_DIR", home.filePath(QStringLiteral("runtime")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_STATE_HOME", home.filePath(QStringLiteral("state")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", home.filePath(QStringLiteral("cache")).toLocal8Bit());
    // No notification reaches the user's desktop: tests that need a bus start their own.
    qputenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + home.filePath(QStringLiteral("no-bus"))).toLocal8Bit());
    home.mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
