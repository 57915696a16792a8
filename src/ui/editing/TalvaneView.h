#pragma once

#include "ui/document/EntryViewLink.h"
#include "ui/document/TalvaneDoc.h"

#include <QString>

#include <QRect>
#include <QWidget>

#include <memory>

class CBonsaiData;
namespace talvane::garden {
struct Place;
}
class EntryBar;
class GardenPage;
class GardenWatch;
class CPage1;
class CPage2;
class CPage3;
class CPage4;
class CPage5;
class CPage6;
class JournalPage;
class PageTransfer;
class QTabWidget;
class UiServices;

// The one view of the collection: a sheet of six pages showing the current entry,
// and the entry bar's list and buttons. Item i of the entry list is entry i of the
// document: entries are found by position, so names need not be unique.
class CTalvaneView : public QWidget, public EntryViewLink {
    Q_OBJECT
public:
    CTalvaneView(CTalvaneDoc& doc, UiServices& services, QWidget* parent = nullptr);
    ~CTalvaneView() override;

    // Connects the entry bar of the frame; the view drives it from then on.
    void setEntryBar(EntryBar* bar);
    // Records the frame rectangle the sheet needs: the sheet with room above it for
    // the frame's menu. Done once per view.
    void FitFrameToSheet(int menuHeight);
    // The rectangle the frame must give the sheet; empty until the frame is fitted.
    const QRect& sheetFrame() const { return m_rectSheetFrame; }

    QTabWidget* sheet() const { return m_pSheet; }
    CPage1& albumPage() const { return *m_pPage1; }
    CPage2& plantPage() const { return *m_pPage2; }
    CPage3& purchasePage() const { return *m_pPage3; }
    CPage4& transformationPage() const { return *m_pPage4; }
    CPage5& maintenancePage() const { return *m_pPage5; }
    CPage6& speciesPage() const { return *m_pPage6; }
    JournalPage& journalPage() const { return *m_journalPage; }
    GardenPage& gardenPage() const { return *m_gardenPage; }
    // The watch over the garden of the collection shown: its forecast and alerts.
    GardenWatch& gardenWatch() const { return *m_gardenWatch; }
    // Brings the Journal tab to the front.
    void showJournalTab();

    // True while an entry is shown: Delete, Update and Print are enabled.
    bool hasCurrentEntry() const;
    // True when the pages hold edits that are not yet in the entry shown.
    bool hasPageEdits() const override;

    // EntryViewLink
    void CommitCurrentEntry() override;
    void OfferToKeepChanges() override;
    std::optional<KeptPageEdits> askPageEditsToKeep() override;

    void LoadEntryIntoPages(std::size_t position);
    void ReadPagesIntoEntry(CBonsaiData& entry) const override;
    void showChangeBesidePageEdits(const std::function<std::string(const std::string&)>& merged) override;
    void CreateEntryFromPages(const std::string& name);
    void ClearPages();
    void PreparePagesForNewEntry(int speciesIndex, const std::string& typedBotanicalName);

public slots:
    // The document's entries were all replaced: the pages and the list are emptied,
    // then the list shows the new entries and the pages the current one.
    void ResetEntries();
    void OnEntrySelChange(int index);
    void OnEntryAdd();
    void OnEntryUpdate();
    void OnEntryDelete();
    // Edit Rename: asks a new name for the entry shown.
    void onEntryRename();

signals:
    // The enabled state of Delete, Update or Print may have changed.
    void commandStatesChanged();

private:
    void setShowing(bool showing);
    // Shows the document's current entry, or empty pages when there is none.
    void showCurrentEntry();
    // Gives fields of the entry shown new values as one step of the history, while
    // the pages already show them.
    void applyPageEdit(const FieldValues& values, const QString& stepText);
    void watchPageEdits();
    // The tabs of the six pages, the Journal's and the Garden's, sized to the six.
    void createSheet();
    // The album's, the journal's and the garden's changes are steps of the history at once.
    void applyStepsOfPages();
    // Gives every tree standing at a place its new kind and shelter, as one step.
    void changePlace(const talvane::garden::Place& before, const talvane::garden::Place& after);
    QString entryListText(std::size_t position) const;
    QStringList entryListTexts(std::size_t from, std::size_t to) const;

    CTalvaneDoc& m_doc;
    UiServices& m_services;
    QTabWidget* m_pSheet;
    CPage1* m_pPage1;
    CPage2* m_pPage2;
    CPage3* m_pPage3;
    CPage4* m_pPage4;
    CPage5* m_pPage5;
    CPage6* m_pPage6;
    JournalPage* m_journalPage;
    GardenWatch* m_gardenWatch;
    GardenPage* m_gardenPage;
    std::unique_ptr<PageTransfer> m_transfer;
    EntryBar* m_entryBar = nullptr;
    // Set while the pages' own values are being stored: the pages need no reload.
    bool m_applyingPages = false;
    bool m_bFrameFitted = false;
    QRect m_rectSheetFrame;
};
