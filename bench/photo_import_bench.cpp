// Times the album's photo import of a 12-megapixel camera photo against a plain
// QImage load of the same file, in the same run: a JPEG, read at a reduced scale,
// and a PNG, which has no such shortcut.
//   build/bin/bench_photo_import
#include "ui/album/PhotoImport.h"
#include "ui/framework/UiServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>

namespace {

// Accepts every import question; reports anything else.
class AcceptingPrompter : public Prompter {
public:
    int ask(const QString& text, const QString&, unsigned flags) override
    {
        if ((flags & 0x0F) != mb::kOkCancel)
            std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        return mb::kIdOk;
    }
    int choose(const QString& text, const QString&, const QStringList&) override
    {
        std::fprintf(stderr, "unexpected question: %s\n", qPrintable(text));
        return 0;
    }
};

// A photograph-like picture: smooth gradients with noise, no two neighbours alike.
QImage cameraPicture(int width, int height)
{
    std::mt19937 random(7);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int noise = static_cast<int>(random() % 24);
            line[x] = qRgb((x * 200 / width + noise) % 256, (y * 200 / height + noise) % 256, (x + y + noise) % 256);
        }
    }
    return image;
}

double bestMilliseconds(int runs, const std::function<void()>& work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

void compare(const QString& source, const QDir& album, int runs)
{
    AcceptingPrompter prompter;
    const double load = bestMilliseconds(runs, [&] {
        if (QImage(source).isNull())
            std::fprintf(stderr, "plain load failed\n");
    });
    const double import = bestMilliseconds(runs, [&] {
        const auto copy = PhotoImport(prompter, album.path()).run(source);
        if (!copy)
            std::fprintf(stderr, "import failed\n");
        else
            QFile::remove(album.filePath(*copy));
    });
    std::printf("%-14s plain QImage load %8.1f ms   import %8.1f ms   import/load %.2f\n",
                qPrintable(QFileInfo(source).fileName()), load, import, import / load);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTemporaryDir folder;
    const QDir work(folder.path());
    work.mkpath(QStringLiteral("Album"));
    const QImage picture = cameraPicture(4000, 3000);
    const QString jpeg = work.filePath(QStringLiteral("camera.jpg"));
    const QString png = work.filePath(QStringLiteral("camera.png"));
    if (!picture.save(jpeg, "JPEG", 90) || !picture.save(png, "PNG"))
        return 1;
    std::printf("4000 x 3000, best of 5 runs each\n");
    compare(jpeg, QDir(work.filePath(QStringLiteral("Album"))), 5);
    compare(png, QDir(work.filePath(QStringLiteral("Album"))), 5);
    return 0;
}
