#include "ui/timeline/PhotoReading.h"

#include <QCoreApplication>

#include "ui/album/PhotoImage.h"
#include "ui/framework/FilePaths.h"

#include "core/picture/PhotoReader.h"

#include <algorithm>
#include <cmath>

using namespace talvane::picture;

namespace {

QString problemText(const PhotoProblem& problem)
{
    switch (problem.fault) {
    case PhotoFault::Missing: return QCoreApplication::translate("PhotoReading", "The photo is missing.");
    case PhotoFault::TooManyBytes:
    case PhotoFault::TooManyPixels:
    case PhotoFault::TooManyHeifItems: return QCoreApplication::translate("PhotoReading", "The photo is too large to be shown.");
    case PhotoFault::Damaged: return QCoreApplication::translate("PhotoReading", "The photo is damaged.");
    default: return QCoreApplication::translate("PhotoReading", "No reader on this computer can open this photo.");
    }
}

// A square box stays the same box when the picture is turned a quarter.
PhotoSize shownSize(PhotoSize size, int side)
{
    PhotoSize target = side > 0 ? fitWithin(size, side) : size;
    const auto pixels = static_cast<double>(target.pixels());
    if (pixels > kMaxShownPixels) {
        const double scale = std::sqrt(double(kMaxShownPixels) / pixels);
        target = {std::max(1, int(target.width * scale)), std::max(1, int(target.height * scale))};
    }
    return target;
}

QDate dateOf(const PhotoMetadata& metadata)
{
    const auto& day = metadata.dateTaken;
    return day ? QDate(int(day->year()), int(unsigned(day->month())), int(unsigned(day->day()))) : QDate();
}

} // namespace

QDate readDateTaken(const QString& path)
{
    return dateOf(readPhotoMetadata(fsPath(path)));
}

ShownPhoto readShownPhoto(const QString& path, int side)
{
    PhotoReader reader(fsPath(path));
    ShownPhoto shown{{}, {}, dateOf(reader.metadata())};
    auto read = reader.read({.size = shownSize(reader.uprightSize(), side)});
    if (const auto* problem = std::get_if<PhotoProblem>(&read))
        shown.problem = problemText(*problem);
    else
        shown.image = imageOfPixels(std::move(std::get<PhotoPixels>(read)));
    return shown;
}
