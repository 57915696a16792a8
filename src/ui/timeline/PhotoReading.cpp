#include "ui/timeline/PhotoReading.h"

#include <QCoreApplication>

#include "ui/album/PhotoSource.h"
#include "ui/journal/CareTexts.h"

#include "core/timeline/PhotoFacts.h"

#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>
#include <QTransform>

#include <libheif/heif.h>

#include <cmath>
#include <memory>

namespace {

// The transformation an EXIF orientation asks for, in the terms of Qt's readers.
QImageIOHandler::Transformations transformationOf(int orientation)
{
    switch (orientation) {
    case 2: return QImageIOHandler::TransformationMirror;
    case 3: return QImageIOHandler::TransformationRotate180;
    case 4: return QImageIOHandler::TransformationFlip;
    case 5: return QImageIOHandler::TransformationFlipAndRotate90;
    case 6: return QImageIOHandler::TransformationRotate90;
    case 7: return QImageIOHandler::TransformationMirrorAndRotate90;
    case 8: return QImageIOHandler::TransformationRotate270;
    default: return QImageIOHandler::TransformationNone;
    }
}

QImage upright(QImage image, QImageIOHandler::Transformations transformation)
{
    if (transformation == QImageIOHandler::TransformationNone)
        return image;
    image = std::move(image).mirrored(transformation.testFlag(QImageIOHandler::TransformationMirror),
                                      transformation.testFlag(QImageIOHandler::TransformationFlip));
    if (transformation.testFlag(QImageIOHandler::TransformationRotate90))
        image = image.transformed(QTransform().rotate(90));
    return image;
}

// A square box stays the same box when the picture is turned a quarter.
QSize shownSize(QSize size, int side)
{
    QSize target = side > 0 ? FitWithin(size, side) : size;
    const qint64 pixels = qint64(target.width()) * target.height();
    if (pixels > kMaxShownPixels) {
        const double scale = std::sqrt(double(kMaxShownPixels) / double(pixels));
        target = QSize(std::max(1, int(target.width() * scale)), std::max(1, int(target.height() * scale)));
    }
    return target;
}

ShownPhoto failed(const QString& problem)
{
    return {QImage(), problem};
}

struct HeifDeleter {
    void operator()(heif_context* context) const { heif_context_free(context); }
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
    void operator()(heif_image* image) const { heif_image_release(image); }
};
template <typename T>
using HeifPointer = std::unique_ptr<T, HeifDeleter>;

// The smallest of the photo's stored thumbnails that still fills the box, so that a
// timeline never decodes a whole 12-megapixel HEIC for a small picture.
HeifPointer<heif_image_handle> smallestFilling(heif_image_handle* primary, int side)
{
    const int count = heif_image_handle_get_number_of_thumbnails(primary);
    if (count <= 0 || side <= 0)
        return nullptr;
    std::vector<heif_item_id> ids(static_cast<std::size_t>(count));
    heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
    HeifPointer<heif_image_handle> best;
    for (heif_item_id id : ids) {
        heif_image_handle* raw = nullptr;
        if (heif_image_handle_get_thumbnail(primary, id, &raw).code != heif_error_Ok)
            continue;
        HeifPointer<heif_image_handle> thumbnail(raw);
        const QSize size(heif_image_handle_get_width(raw), heif_image_handle_get_height(raw));
        const bool fills = std::max(size.width(), size.height()) >= side;
        if (fills && (!best || heif_image_handle_get_width(best.get()) > size.width()))
            best = std::move(thumbnail);
    }
    return best;
}

ShownPhoto readHeif(const QString& path, int side)
{
    HeifPointer<heif_context> context(heif_context_alloc());
    if (!context || heif_context_read_from_file(context.get(), QFile::encodeName(path).constData(), nullptr).code !=
                        heif_error_Ok)
        return failed(QCoreApplication::translate("PhotoReading", "No reader on this computer can open this photo."));
    heif_image_handle* raw = nullptr;
    if (heif_context_get_primary_image_handle(context.get(), &raw).code != heif_error_Ok)
        return failed(QCoreApplication::translate("PhotoReading", "The photo is damaged."));
    HeifPointer<heif_image_handle> primary(raw);
    HeifPointer<heif_image_handle> thumbnail = smallestFilling(primary.get(), side);
    heif_image_handle* chosen = thumbnail ? thumbnail.get() : primary.get();
    const qint64 pixels = qint64(heif_image_handle_get_width(chosen)) * heif_image_handle_get_height(chosen);
    if (pixels <= 0 || pixels > 4 * kMaxShownPixels)
        return failed(QCoreApplication::translate("PhotoReading", "The photo is too large to be shown."));
    heif_image* decoded = nullptr;
    if (heif_decode_image(chosen, &decoded, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, nullptr).code !=
        heif_error_Ok)
        return failed(QCoreApplication::translate("PhotoReading", "The photo is damaged."));
    HeifPointer<heif_image> image(decoded);
    int stride = 0;
    const uint8_t* data = heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(decoded, heif_channel_interleaved);
    const int height = heif_image_get_height(decoded, heif_channel_interleaved);
    if (!data || width <= 0 || height <= 0)
        return failed(QCoreApplication::translate("PhotoReading", "The photo is damaged."));
    const QImage view(data, width, height, stride, QImage::Format_RGBA8888);
    const QSize target = shownSize(view.size(), side);
    // libheif has already turned the picture as its boxes say.
    return {target == view.size() ? view.copy() : view.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation),
            {}};
}

QDate dateOf(const talvane::timeline::PhotoFacts& facts)
{
    return facts.dateTaken ? ToQDate(*facts.dateTaken) : QDate();
}

ShownPhoto readWithFacts(const QString& path, int side, const talvane::timeline::PhotoFacts& facts)
{
    if (facts.isHeif)
        return readHeif(path, side);
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid()) {
        if (!QFile::exists(path))
            return failed(QCoreApplication::translate("PhotoReading", "The photo is missing."));
        return failed(QCoreApplication::translate("PhotoReading", "No reader on this computer can open this photo."));
    }
    const auto transformation = transformationOf(facts.orientation);
    const QSize target = shownSize(size, side);
    if (target != size)
        reader.setScaledSize(target);
    QImage image = reader.read();
    if (image.isNull())
        return failed(reader.error() == QImageReader::InvalidDataError
                          ? QCoreApplication::translate("PhotoReading", "The photo is damaged.")
                          : QCoreApplication::translate("PhotoReading", "The photo cannot be shown: %1").arg(reader.errorString()));
    return {upright(std::move(image), transformation), {}};
}

} // namespace

QDate readDateTaken(const QString& path)
{
    return dateOf(talvane::timeline::readPhotoFacts(QFile::encodeName(path).toStdString()));
}

ShownPhoto readShownPhoto(const QString& path, int side)
{
    const talvane::timeline::PhotoFacts facts = talvane::timeline::readPhotoFacts(QFile::encodeName(path).toStdString());
    ShownPhoto shown = readWithFacts(path, side, facts);
    shown.taken = dateOf(facts);
    return shown;
}
