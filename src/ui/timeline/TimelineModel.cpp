#include "ui/timeline/TimelineModel.h"

#include "ui/album/MissingPictures.h"
#include "ui/framework/AnsiText.h"
#include "ui/journal/CareTexts.h"
#include "ui/timeline/ThumbnailCache.h"
#include "ui/framework/CoreTexts.h"

#include <QDir>
#include <QSet>

using talvane::timeline::TimelinePhoto;

TimelineModel::TimelineModel(ThumbnailLoader& loader, QObject* parent) : QAbstractListModel(parent), m_loader(loader)
{
    connect(&m_loader, &ThumbnailLoader::ready, this, &TimelineModel::takeThumbnail);
}

void TimelineModel::setPhotos(std::vector<TimelinePhoto> photos, const QString& photosFolder, const QString& albumFolder)
{
    beginResetModel();
    m_photos = std::move(photos);
    m_paths.clear();
    m_rows.clear();
    m_photosByPath.clear();
    m_rowOfPhoto.clear();
    m_thumbnails.assign(m_photos.size(), {});
    std::optional<std::pair<int, talvane::timeline::Season>> group;
    for (std::size_t i = 0; i < m_photos.size(); ++i) {
        const TimelinePhoto& photo = m_photos[i];
        const auto path =
            photo.path(QFile::encodeName(photosFolder).toStdString(), QFile::encodeName(albumFolder).toStdString());
        m_paths.push_back(QFile::decodeName(QByteArray::fromStdString(path.string())));
        m_photosByPath[m_paths.back()].push_back(i);
        const std::pair season(photo.event.date.year(), talvane::timeline::seasonOf(photo.event.date.month()));
        if (group != season) {
            group = season;
            m_rows.push_back({QStringLiteral("%1 %2").arg(coreText(talvane::timeline::seasonName(season.second)))
                                  .arg(season.first),
                              std::nullopt});
        }
        m_rowOfPhoto.push_back(static_cast<int>(m_rows.size()));
        m_rows.push_back({QString(), i});
    }
    endResetModel();
    reloadThumbnails();
}

void TimelineModel::reloadThumbnails()
{
    m_loader.cancelPending();
    // Oldest first, as the grid shows them: the first screen is made first.
    QSet<QString> asked;
    for (const QString& path : m_paths)
        if (!asked.contains(path)) {
            asked.insert(path);
            m_loader.request(path);
        }
}

void TimelineModel::takeThumbnail(const QString& path, const QImage& thumbnail, const QString& problem,
                                  const QDate& taken)
{
    const auto found = m_photosByPath.constFind(path);
    if (found == m_photosByPath.constEnd())
        return;
    // The photo's tile tells why it cannot be shown: the album need not say it again.
    if (problem.isEmpty())
        MissingPictures::session().noteFound(path);
    else
        MissingPictures::session().noteMissing(path);
    for (std::size_t photo : *found) {
        m_thumbnails[photo] = {thumbnail, problem, taken};
        const QModelIndex changed = index(rowOf(photo));
        emit dataChanged(changed, changed);
    }
}

QString TimelineModel::pathOf(std::size_t photo) const
{
    return m_paths.at(photo);
}

QString TimelineModel::captionOf(std::size_t photo) const
{
    const TimelinePhoto& shown = m_photos.at(photo);
    const QString text = fromAnsi(shown.event.text).simplified();
    QString caption = shortDateText(shown.event.date) + tr(" \u00B7 ") + careKindText(shown.event.kind);
    if (!text.isEmpty())
        caption += tr(" \u00B7 ") + text;
    // An event's photos stand at its date: the day each was taken may be another.
    if (const auto taken = fromQDate(m_thumbnails.at(photo).taken); taken && *taken != shown.event.date)
        caption += tr(" \u00B7 ") + tr("taken %1").arg(shortDateText(*taken));
    return caption;
}

std::optional<std::size_t> TimelineModel::photoAt(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size())
        return std::nullopt;
    return m_rows[static_cast<std::size_t>(row)].photo;
}

int TimelineModel::rowOf(std::size_t photo) const
{
    return photo < m_rowOfPhoto.size() ? m_rowOfPhoto[photo] : -1;
}

QString TimelineModel::toolTipOf(std::size_t photo) const
{
    QString tip = captionOf(photo) + QLatin1Char('\n') + m_paths[photo];
    if (const QString& problem = m_thumbnails[photo].problem; !problem.isEmpty())
        tip += QLatin1Char('\n') + problem;
    return tip;
}

int TimelineModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

Qt::ItemFlags TimelineModel::flags(const QModelIndex& index) const
{
    if (!photoAt(index.row()))
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QVariant TimelineModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= m_rows.size())
        return {};
    const Row& row = m_rows[static_cast<std::size_t>(index.row())];
    if (role == IsHeadingRole)
        return !row.photo.has_value();
    if (!row.photo)
        return role == Qt::DisplayRole ? QVariant(row.heading) : QVariant();
    const TimelinePhoto& photo = m_photos[*row.photo];
    switch (role) {
    case Qt::DisplayRole: return fromAnsi(photo.event.text);
    case Qt::ToolTipRole: return toolTipOf(*row.photo);
    case Qt::DecorationRole: return m_thumbnails[*row.photo].image;
    case PhotoIndexRole: return QVariant::fromValue(*row.photo);
    case ProblemRole: return m_thumbnails[*row.photo].problem;
    case KindRole: return careKindText(photo.event.kind);
    case DateRole: return shortDateText(photo.event.date);
    case FileNameRole: return fromAnsi(photo.fileName);
    default: return {};
    }
}
