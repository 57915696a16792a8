#include "ui/album/PhotoSource.h"

#include <QCoreApplication>

#include "ui/album/PhotoImage.h"
#include "ui/framework/FilePaths.h"

using talvane::picture::PhotoFault;
using talvane::picture::PhotoProblem;

namespace {

constexpr talvane::picture::PhotoLimits kImportLimits{.maxPixels = PhotoSource::kMaxPixels};

} // namespace

PhotoSource::PhotoSource(const QString& path) : m_reader(fsPath(path), kImportLimits)
{
    if (const auto& problem = m_reader.problem())
        m_problem = problemOf(*problem);
    else if (!m_reader.reachesItsEnd())
        m_problem = QCoreApplication::translate("PhotoSource", "the file is incomplete: it ends before the end of its picture");
    else
        m_upright = qSizeOf(m_reader.uprightSize());
}

QString PhotoSource::problemOf(const PhotoProblem& problem) const
{
    // Each text is marked for translation where it stands.
    const auto say = [](const char* text) { return QCoreApplication::translate("PhotoSource", text); };
    const QString detail = QString::fromStdString(problem.detail);
    const talvane::picture::PhotoSize claimed = m_reader.storedSize();
    switch (problem.fault) {
    case PhotoFault::Missing: return say(QT_TRANSLATE_NOOP("PhotoSource", "the file cannot be found"));
    case PhotoFault::Folder: return say(QT_TRANSLATE_NOOP("PhotoSource", "it is a folder, not a picture file"));
    case PhotoFault::NotRegularFile: return say(QT_TRANSLATE_NOOP("PhotoSource", "it is not a regular file"));
    case PhotoFault::Unopenable: return say(QT_TRANSLATE_NOOP("PhotoSource", "the file cannot be opened (%1)")).arg(detail);
    case PhotoFault::Empty: return say(QT_TRANSLATE_NOOP("PhotoSource", "the file is empty"));
    case PhotoFault::TooManyBytes:
        return say(QT_TRANSLATE_NOOP("PhotoSource", "the file is larger than the %1 MB Talvane accepts")).arg(kImportLimits.maxBytes / (1024 * 1024));
    case PhotoFault::UnknownFormat:
    case PhotoFault::NoDecoder: return say(QT_TRANSLATE_NOOP("PhotoSource", "it is not a picture in a format Talvane can read"));
    case PhotoFault::NoUsableSize: return say(QT_TRANSLATE_NOOP("PhotoSource", "its header gives no usable picture size"));
    case PhotoFault::TooManyPixels:
        return say(QT_TRANSLATE_NOOP("PhotoSource", "it claims to be %1 × %2 pixels, more than the 64 megapixels Talvane accepts"))
            .arg(QString::number(claimed.width), QString::number(claimed.height));
    case PhotoFault::TooManyHeifItems: return say(QT_TRANSLATE_NOOP("PhotoSource", "it holds more pictures than Talvane accepts"));
    case PhotoFault::Damaged: return say(QT_TRANSLATE_NOOP("PhotoSource", "its picture data is damaged (%1)")).arg(detail);
    }
    return {};
}

QImage PhotoSource::read(QSize uprightTarget)
{
    auto read = m_reader.read({.size = photoSizeOf(uprightTarget)});
    if (const auto* problem = std::get_if<PhotoProblem>(&read)) {
        m_problem = problemOf(*problem);
        return {};
    }
    return imageOfPixels(std::move(std::get<talvane::picture::PhotoPixels>(read)));
}
