#include "ui/timeline/TimelineDlg.h"

#include "ui/document/TalvaneDoc.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/FilePaths.h"
#include "ui/framework/StandardButtonKeys.h"
#include "ui/framework/TabKeys.h"
#include "ui/framework/UiServices.h"
#include "core/journal/Journal.h"
#include "ui/timeline/CompareDlg.h"
#include "ui/timeline/GrowthChart.h"
#include "ui/timeline/PhotoViewer.h"
#include "ui/timeline/ThumbnailCache.h"
#include "ui/timeline/TimelineActions.h"
#include "ui/timeline/TimelineGrid.h"
#include "ui/timeline/TimelineModel.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using talvane::journal::Journal;
using talvane::journal::kJournalField;

TimelineDlg::TimelineDlg(CTalvaneDoc& doc, UiServices& services, std::size_t position, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_services(services), m_position(position),
      m_loader(std::make_unique<ThumbnailLoader>()), m_actions(std::make_unique<TimelineActions>(doc, services))
{
    auto* layout = new QVBoxLayout(this);
    addTabs(layout);
    addButtons(layout);
    resize(900, 640);

    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_model, &TimelineModel::reloadThumbnails);
    connect(m_list, &QListView::activated, this, &TimelineDlg::onViewPhoto);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TimelineDlg::updateButtons);
    followTree();
    refresh();
}

void TimelineDlg::addTabs(QVBoxLayout* layout)
{
    m_tabs = new QTabWidget(this);
    layout->addWidget(m_tabs, 1);

    auto* photosTab = new QWidget(m_tabs);
    auto* photosLayout = new QVBoxLayout(photosTab);
    m_model = new TimelineModel(*m_loader, this);
    m_list = new TimelineGrid(*m_model, photosTab);
    m_list->setAccessibleName(tr("Photos"));
    photosLayout->addWidget(m_list, 1);
    m_summary = new QLabel(photosTab);
    m_summary->setWordWrap(true);
    photosLayout->addWidget(m_summary);
    m_tabs->addTab(photosTab, tr("&Photos"));
    m_growth = new GrowthChart(m_tabs);
    m_tabs->addTab(m_growth, tr("&Growth"));
    switchTabsWithPageKeys(*m_tabs);
}

void TimelineDlg::addButtons(QVBoxLayout* layout)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    giveStandardButtonsKeys(*buttons);
    // C is Compare's key.
    buttons->button(QDialogButtonBox::Close)->setText(tr("C&lose"));
    m_add = buttons->addButton(tr("&Add photos\u2026"), QDialogButtonBox::ActionRole);
    m_view = buttons->addButton(tr("&View"), QDialogButtonBox::ActionRole);
    m_compare = buttons->addButton(tr("&Compare\u2026"), QDialogButtonBox::ActionRole);
    m_album = buttons->addButton(tr("&Use in album"), QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_add, &QPushButton::clicked, this, &TimelineDlg::onAddPhotos);
    connect(m_view, &QPushButton::clicked, this, &TimelineDlg::onViewPhoto);
    connect(m_compare, &QPushButton::clicked, this, &TimelineDlg::onCompare);
    connect(m_album, &QPushButton::clicked, this, &TimelineDlg::onUseInAlbum);
}

void TimelineDlg::followTree()
{
    connect(&m_doc, &CTalvaneDoc::entryChanged, this, [this](std::size_t changed) {
        if (changed == m_position)
            refresh();
    });
    connect(&m_doc, &CTalvaneDoc::entryInserted, this, [this](std::size_t at) {
        if (at <= m_position)
            ++m_position;
    });
    connect(&m_doc, &CTalvaneDoc::entryRemoved, this, [this](std::size_t at) {
        if (at == m_position)
            reject();
        else if (at < m_position)
            --m_position;
    });
    connect(&m_doc, &CTalvaneDoc::entriesReset, this, &QDialog::reject);
}

TimelineDlg::~TimelineDlg() = default;

void TimelineDlg::refresh()
{
    if (m_position >= m_doc.entryCount())
        return;
    const CBonsaiData& entry = m_doc.entryAt(m_position);
    const Journal journal = Journal::read(entry[kJournalField]);
    setWindowTitle(tr("Timeline of \u201C%1\u201D").arg(fromAnsi(entry[CBonsaiData::Name])));
    const auto folders = m_doc.pictureFolders();
    const QString photosFolder = fromFsPath(folders.photos);
    const QString albumFolder = fromFsPath(folders.album);
    m_model->setPhotos(talvane::timeline::timelinePhotos(journal), photosFolder, albumFolder);
    m_growth->showJournal(journal);
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    for (const QString& folder : {photosFolder, albumFolder})
        if (QFileInfo(folder).isDir())
            m_watcher->addPath(folder);
    const std::size_t count = m_model->photos().size();
    m_summary->setText(count == 0 ? tr("No photos yet: Add photos\u2026 puts the photos of a camera or a "
                                                   "phone on the timeline, as they were taken.")
                       : count == 1 ? tr("1 photo")
                                    : tr("%1 photos, from %2 to %3")
                                          .arg(count)
                                          .arg(m_model->data(m_model->index(m_model->rowOf(0)), TimelineModel::DateRole).toString(),
                                               m_model->data(m_model->index(m_model->rowOf(count - 1)), TimelineModel::DateRole)
                                                   .toString()));
    updateButtons();
}

void TimelineDlg::updateButtons()
{
    const bool chosen = selectedPhoto().has_value();
    m_view->setEnabled(chosen);
    m_album->setEnabled(chosen);
    m_compare->setEnabled(m_model->photos().size() >= 2);
}

void TimelineDlg::selectPhoto(std::size_t photo)
{
    m_list->setCurrentIndex(m_model->index(m_model->rowOf(photo)));
}

std::optional<std::size_t> TimelineDlg::selectedPhoto() const
{
    const QModelIndexList chosen = m_list->selectionModel()->selectedIndexes();
    return chosen.isEmpty() ? std::nullopt : m_model->photoAt(chosen.constFirst().row());
}

std::vector<CaptionedPhoto> TimelineDlg::captionedPhotos() const
{
    std::vector<CaptionedPhoto> photos;
    for (std::size_t photo = 0; photo < m_model->photos().size(); ++photo)
        photos.push_back({m_model->pathOf(photo), m_model->captionOf(photo)});
    return photos;
}

void TimelineDlg::onAddPhotos()
{
    m_actions->askAndAddPhotos(m_position);
}

void TimelineDlg::onViewPhoto()
{
    const auto chosen = selectedPhoto();
    if (!chosen)
        return;
    PhotoViewer viewer(captionedPhotos(), *chosen, this);
    m_services.dialogRunner().run(viewer);
    selectPhoto(viewer.shownIndex());
}

void TimelineDlg::onCompare()
{
    const auto pair = talvane::timeline::defaultComparison(m_model->photos());
    if (!pair)
        return;
    CompareDlg compare(captionedPhotos(), pair->first, pair->second, this);
    m_services.dialogRunner().run(compare);
}

void TimelineDlg::onUseInAlbum()
{
    const auto chosen = selectedPhoto();
    if (chosen)
        m_actions->useInAlbum(m_position, m_model->pathOf(*chosen), m_model->photos()[*chosen].event.text);
}
