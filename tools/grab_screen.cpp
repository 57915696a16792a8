// Saves a picture of the whole screen of the X display to a PNG file: what another
// program (a notification service) shows, which a window's own picture cannot hold.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: grab_screen OUT.png\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication application(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "grab_screen: cannot grab the screen to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
