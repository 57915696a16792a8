#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// GUI tests run without a display, and keep their settings and notifications out of the user's home.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_RUNTIME_DIR", QDir(home.path()).filePath(QStringLiteral("runtime")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_STATE_HOME", QDir(home.path()).filePath(QStringLiteral("state")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", QDir(home.path()).filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", QDir(home.path()).filePath(QStringLiteral("cache")).toLocal8Bit());
    // No notification reaches the user's desktop: tests that need a bus start their own.
    qputenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + QDir(home.path()).filePath(QStringLiteral("no-bus"))).toLocal8Bit());
    QDir(home.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(QDir(home.path()).filePath(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
