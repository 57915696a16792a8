#pragma once

#ifndef Q_MOC_RUN
#include "core/timeline/TimelinePhoto.h"
#endif

#include <QAbstractListModel>
#include <QDate>
#include <QHash>
#include <QImage>

#include <cstddef>
#include <optional>
#include <vector>

class ThumbnailLoader;

// A tree's photos for the timeline's list: a heading row for each season of each year
// ("Spring 2026"), then that season's photos, oldest first. Thumbnails arrive from the
// loader as they are made; until then a photo shows as a blank tile.
class TimelineModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { IsHeadingRole = Qt::UserRole + 1, PhotoIndexRole, ProblemRole, KindRole, DateRole, FileNameRole };

    TimelineModel(ThumbnailLoader& loader, QObject* parent = nullptr);

    // Shows these photos; their files are in photosFolder or albumFolder.
    void setPhotos(std::vector<talvane::timeline::TimelinePhoto> photos, const QString& photosFolder,
                   const QString& albumFolder);
    // Asks again for every thumbnail: the files may have changed or gone.
    void reloadThumbnails();

    const std::vector<talvane::timeline::TimelinePhoto>& photos() const { return m_photos; }
    QString pathOf(std::size_t photo) const;
    // The whole caption of a photo: "12 May 2026 · Photo · first buds", and the day its
    // camera gives where that is not the event's ("· taken 10 May 2026"), once read.
    QString captionOf(std::size_t photo) const;
    // The photo a row shows; nothing for a heading.
    std::optional<std::size_t> photoAt(int row) const;
    int rowOf(std::size_t photo) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // The whole caption, where the file is, and why it cannot be shown.
    QString toolTipOf(std::size_t photo) const;
    void takeThumbnail(const QString& path, const QImage& thumbnail, const QString& problem, const QDate& taken);

    struct Row {
        QString heading;
        std::optional<std::size_t> photo;
    };
    struct Thumbnail {
        QImage image;
        QString problem;
        QDate taken;
    };
    ThumbnailLoader& m_loader;
    std::vector<talvane::timeline::TimelinePhoto> m_photos;
    std::vector<QString> m_paths;
    std::vector<Thumbnail> m_thumbnails;
    std::vector<Row> m_rows;
    std::vector<int> m_rowOfPhoto;
    QHash<QString, std::vector<std::size_t>> m_photosByPath;
};
