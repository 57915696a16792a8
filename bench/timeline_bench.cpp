// The timeline on 500 photos of 12 megapixels: making the thumbnail cache against
// QImageReader reading the same files at thumbnail scale one after another, the first
// screen of a maximised window from the cache, and the memory the open timeline holds; then
// talvane-cli photo-add of 100 photos of 5 MB against cp of the same files.
//   build/bin/bench_timeline [PHOTOS]
#include "Measures.h"

#include "ui/timeline/ThumbnailCache.h"
#include "ui/timeline/TimelineGrid.h"
#include "ui/timeline/TimelineModel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace {

using talvane::journal::CareKind;
using talvane::journal::CalendarDate;

// A camera-like picture: smooth shapes and fine noise, so JPEG gives it a camera's size.
QImage cameraPicture(QSize size, int quality)
{
    QImage image(size, QImage::Format_RGB32);
    auto* random = QRandomGenerator::global();
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int noise = static_cast<int>(random->bounded(quality));
            line[x] = qRgb((x / 16 + noise) & 255, (y / 12 + noise) & 255, ((x + y) / 20 + noise) & 255);
        }
    }
    return image;
}

std::vector<QString> copies(const QString& source, const QString& folder, int count)
{
    QDir().mkpath(folder);
    std::vector<QString> paths;
    for (int i = 0; i < count; ++i) {
        paths.push_back(QDir(folder).filePath(QStringLiteral("IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0'))));
        QFile::remove(paths.back());
        // Links share the bytes, so both contenders read them from the page cache.
        if (::link(QFile::encodeName(source).constData(), QFile::encodeName(paths.back()).constData()) != 0)
            QFile::copy(source, paths.back());
    }
    return paths;
}

// The grid of a timeline window maximised on a 1600 x 1000 screen, less its tabs and buttons.
const QSize kMaximisedGrid(1560, 860);

struct FirstScreen {
    std::size_t photos;
    double shown;
    double all;
    double memory;
};

void waitFor(const std::function<bool()>& done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

// The photos whose tiles show, wholly or in part, in the visible part of the grid.
std::vector<std::size_t> photosInView(const TimelineGrid& grid, const TimelineModel& model)
{
    std::vector<std::size_t> shown;
    for (std::size_t photo = 0; photo < model.photos().size(); ++photo)
        if (grid.visualRect(model.index(model.rowOf(photo))).intersects(grid.viewport()->rect()))
            shown.push_back(photo);
    return shown;
}

void thumbnails(const QTemporaryDir& work, int count)
{
    const QString camera = QDir(work.path()).filePath(QStringLiteral("camera.jpg"));
    cameraPicture(QSize(4000, 3000), 24).save(camera, "JPG", 90);
    std::printf("photo: 4000 x 3000, %.1f MB, %d copies\n", QFileInfo(camera).size() / 1e6, count);
    const auto photos = copies(camera, QDir(work.path()).filePath(QStringLiteral("Photos")), count);

    const double reader = seconds([&] {
        for (const QString& path : photos) {
            QImageReader read(path);
            read.setScaledSize(read.size().scaled(ThumbnailCache::kSide, ThumbnailCache::kSide, Qt::KeepAspectRatio));
            if (read.read().isNull())
                std::abort();
        }
    });

    std::vector<talvane::timeline::TimelinePhoto> events;
    for (int i = 0; i < count; ++i)
        events.push_back({static_cast<std::size_t>(i),
                          {CalendarDate::fromYearMonthDay(2000 + i / 50, 1 + (i / 4) % 12, 1).value(), CareKind::Photo,
                           std::nullopt, "Photos/" + QFileInfo(photos[i]).fileName().toStdString(), "text", {}, {}, {}},
                          QFileInfo(photos[i]).fileName().toStdString(),
                          true});
    const QString cacheFolder = QDir(work.path()).filePath(QStringLiteral("cache"));
    // The photos of the first screen are those the grid shows at the top of a window
    // maximised on a 1600 x 1000 screen.
    const auto open = [&] {
        ThumbnailLoader loader{ThumbnailCache(cacheFolder)};
        TimelineModel model(loader);
        TimelineGrid grid(model);
        grid.resize(kMaximisedGrid);
        grid.show();
        std::vector<bool> arrived(events.size());
        std::size_t arrivals = 0;
        QObject::connect(&model, &TimelineModel::dataChanged, [&](const QModelIndex& changed) {
            if (const auto photo = model.photoAt(changed.row()); photo && !arrived[*photo]) {
                arrived[*photo] = true;
                ++arrivals;
            }
        });
        const long before = residentKilobytes();
        QElapsedTimer timer;
        timer.start();
        model.setPhotos(events, QDir(work.path()).filePath(QStringLiteral("Photos")), work.path());
        grid.doItemsLayout();
        const std::vector<std::size_t> firstScreen = photosInView(grid, model);
        waitFor([&] {
            return std::all_of(firstScreen.begin(), firstScreen.end(), [&](std::size_t photo) { return bool(arrived[photo]); });
        });
        const double firstScreenTime = timer.nsecsElapsed() / 1e6;
        waitFor([&] { return arrivals >= events.size(); });
        const double all = timer.nsecsElapsed() / 1e6;
        return FirstScreen{firstScreen.size(), firstScreenTime, all, (residentKilobytes() - before) / 1024.0};
    };
    const FirstScreen cold = open();
    const FirstScreen warm = open();
    std::printf("QImageReader at thumbnail scale, one after another: %.0f ms\n", reader * 1e3);
    std::printf("cache built by the timeline: %.0f ms (%.2f x the reader); its first screen in %.0f ms\n", cold.all,
                cold.all / (reader * 1e3), cold.shown);
    std::printf("from the cache: first screen (%zu photos at %d x %d) in %.1f ms, all %d in %.0f ms\n", cold.photos,
                kMaximisedGrid.width(), kMaximisedGrid.height(), warm.shown, count, warm.all);
    std::printf("memory held by the open timeline: %.1f MB (cold), %.1f MB (from the cache)\n", cold.memory, warm.memory);
}

double runSeconds(const std::string& command)
{
    return seconds([&] {
        if (std::system(command.c_str()) != 0)
            std::abort();
    });
}

void photoAdd(const QTemporaryDir& work, const QString& cli)
{
    const QString camera = QDir(work.path()).filePath(QStringLiteral("five.jpg"));
    cameraPicture(QSize(2200, 1650), 200).save(camera, "JPG", 97);
    const auto sources = copies(camera, QDir(work.path()).filePath(QStringLiteral("camera")), 100);
    std::printf("photo-add: 100 copies of a %.1f MB JPEG\n", QFileInfo(camera).size() / 1e6);
    const std::string folder = work.path().toStdString();
    const std::string list = folder + "/camera/IMG_*.jpg";
    const std::string collection = folder + "/trees.tvn";
    // A collection of one tree, written by the program's own command.
    std::ofstream(folder + "/one.csv") << "Name\r\nMomiji\r\n";
    runSeconds("'" + cli.toStdString() + "' import '" + folder + "/one.csv' '" + collection + "' >/dev/null");
    const double cpAlone = runSeconds("mkdir -p '" + folder + "/cp1' && cp " + list + " '" + folder + "/cp1/'");
    runSeconds("sync");
    const double cp = runSeconds("mkdir -p '" + folder + "/cp' && cp " + list + " '" + folder + "/cp/' && sync");
    const double add = runSeconds("'" + cli.toStdString() + "' photo-add '" + collection + "' --entry 0 " + list +
                                  " >/dev/null && sync");
    std::printf("cp alone: %.2f s; cp and sync: %.2f s; talvane-cli photo-add and sync: %.2f s (%.2f x cp and sync, "
                "%.2f x cp alone)\n",
                cpAlone, cp, add, add / cp, add / cpAlone);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 500;
    QTemporaryDir work;
    thumbnails(work, count);
    photoAdd(work, QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("talvane-cli")));
    return 0;
}
