#pragma once

#include "ui/timeline/PhotoReading.h"

#include <QDialog>

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

class CTalvaneDoc;
class GrowthChart;
class QFileSystemWatcher;
class QLabel;
class QPushButton;
class QTabWidget;
class QVBoxLayout;
class ThumbnailLoader;
class TimelineActions;
class TimelineGrid;
class TimelineModel;
class UiServices;

// The life of the shown tree in pictures: its photos as thumbnails in date order,
// grouped by year and season, with the viewer, the comparison and the growth chart.
// Photos added here, and the album copy of one, are steps of the document's history;
// the window follows every change of the tree, and of the photo files on disk.
class TimelineDlg : public QDialog {
    Q_OBJECT
public:
    TimelineDlg(CTalvaneDoc& doc, UiServices& services, std::size_t position, QWidget* parent = nullptr);
    ~TimelineDlg() override;

    TimelineModel& model() const { return *m_model; }
    TimelineGrid* photoList() const { return m_list; }
    GrowthChart* growthChart() const { return m_growth; }
    QTabWidget* tabs() const { return m_tabs; }
    QLabel* summary() const { return m_summary; }
    // Selects a photo, counted from the oldest.
    void selectPhoto(std::size_t photo);
    std::optional<std::size_t> selectedPhoto() const;

public slots:
    void onAddPhotos();
    void onViewPhoto();
    void onCompare();
    void onUseInAlbum();

private:
    // The photos' tab and the growth chart's.
    void addTabs(QVBoxLayout* layout);
    void addButtons(QVBoxLayout* layout);
    // The window follows its tree through the document's changes, and closes with it.
    void followTree();
    void refresh();
    void updateButtons();
    // Every photo's file and caption, oldest first, for the viewer and the comparison.
    std::vector<CaptionedPhoto> captionedPhotos() const;

    CTalvaneDoc& m_doc;
    UiServices& m_services;
    std::size_t m_position;
    std::unique_ptr<ThumbnailLoader> m_loader;
    std::unique_ptr<TimelineActions> m_actions;
    TimelineModel* m_model;
    QTabWidget* m_tabs;
    TimelineGrid* m_list;
    GrowthChart* m_growth;
    QLabel* m_summary;
    QPushButton* m_add;
    QPushButton* m_view;
    QPushButton* m_compare;
    QPushButton* m_album;
    QFileSystemWatcher* m_watcher;
};
