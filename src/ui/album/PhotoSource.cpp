#include "ui/album/PhotoSource.h"

#include <QCoreApplication>

#include "ui/album/AlbumReadyBitmap.h"
#include "ui/album/JpegEnd.h"

#include <QFileInfo>

#include <algorithm>

PhotoSource::PhotoSource(const QString& path)
{
    if (open(path))
        inspect();
}

bool PhotoSource::open(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        m_problem = QCoreApplication::translate("PhotoSource", "the file cannot be found");
        return false;
    }
    if (info.isDir()) {
        m_problem = QCoreApplication::translate("PhotoSource", "it is a folder, not a picture file");
        return false;
    }
    // Pipes and devices could keep the program waiting for bytes that never come.
    if (!info.isFile()) {
        m_problem = QCoreApplication::translate("PhotoSource", "it is not a regular file");
        return false;
    }
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_problem = QCoreApplication::translate("PhotoSource", "the file cannot be opened (%1)").arg(m_file.errorString());
        return false;
    }
    const qint64 size = m_file.size();
    if (size == 0) {
        m_problem = QCoreApplication::translate("PhotoSource", "the file is empty");
        return false;
    }
    // The file is mapped, not copied: the completeness check and the reader share it.
    if (uchar* mapped = m_file.map(0, size))
        m_bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), static_cast<qsizetype>(size));
    else
        m_bytes = m_file.readAll();
    m_buffer.setBuffer(&m_bytes);
    m_buffer.open(QIODevice::ReadOnly);
    m_reader.setDevice(&m_buffer);
    m_reader.setAutoTransform(true);
    return true;
}

bool PhotoSource::inspect()
{
    if (!m_reader.canRead()) {
        m_problem = QCoreApplication::translate("PhotoSource", "it is not a picture in a format Talvane can read");
        return false;
    }
    const QSize stored = m_reader.size();
    if (!stored.isValid() || stored.isEmpty()) {
        m_problem = QCoreApplication::translate("PhotoSource", "its header gives no usable picture size");
        return false;
    }
    if (qint64{stored.width()} * stored.height() > kMaxPixels) {
        m_problem = QCoreApplication::translate("PhotoSource", "it claims to be %1 × %2 pixels, more than the 64 megapixels Talvane accepts")
                        .arg(QString::number(stored.width()), QString::number(stored.height()));
        return false;
    }
    const bool cutOff = (m_reader.format() == "jpeg" && !JpegReachesItsEnd(m_bytes)) ||
                        (m_reader.format() == "bmp" && !BitmapHoldsItsPixels(m_bytes));
    if (cutOff) {
        m_problem = QCoreApplication::translate("PhotoSource", "the file is incomplete: it ends before the end of its picture");
        return false;
    }
    m_turned = m_reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    m_upright = m_turned ? stored.transposed() : stored;
    return true;
}

QImage PhotoSource::read(QSize uprightTarget)
{
    // The reader scales before it turns the picture upright.
    m_reader.setScaledSize(m_turned ? uprightTarget.transposed() : uprightTarget);
    QImage picture = m_reader.read();
    if (picture.isNull()) {
        m_problem = QCoreApplication::translate("PhotoSource", "its picture data is damaged (%1)").arg(m_reader.errorString());
        return {};
    }
    if (picture.size() != uprightTarget)
        picture = picture.scaled(uprightTarget, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return picture;
}

QSize FitWithin(QSize size, int limit)
{
    if (size.width() <= limit && size.height() <= limit)
        return size;
    const auto shorter = [limit](int side, int longest) {
        return std::max(1, qRound(double(side) * limit / longest));
    };
    if (size.width() >= size.height())
        return {limit, shorter(size.height(), size.width())};
    return {shorter(size.width(), size.height()), limit};
}
