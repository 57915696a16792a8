#pragma once

#include "collection/EntryViewLink.h"

#include <QRect>
#include <QWidget>

#include <memory>
#include <optional>

class CBonsaiData;
class CEntryBar;
class CPage1;
class CPage2;
class CPage3;
class CPage4;
class CPage5;
class CPage6;
class CTalvaneDoc;
class PageTransfer;
class QTabWidget;
class UiServices;

// The rectangle the frame must give the sheet, recorded when the view fits the frame.
extern QRect g_rectSheetFrame;
// The entry whose values the pages show, or null. Not owned: it lives in the document.
extern CBonsaiData* g_pCurrentEntry;

// The one view of the collection: a sheet of six pages showing the current entry,
// and the entry bar's list and buttons. Item i of the entry list is entry i of the
// document: entries are found by position, so names need not be unique.
class CTalvaneView : public QWidget, public EntryViewLink {
    Q_OBJECT
public:
    CTalvaneView(CTalvaneDoc& doc, UiServices& services, QWidget* parent = nullptr);
    ~CTalvaneView() override;

    // Connects the entry bar of the frame; the view drives it from then on.
    void SetEntryBar(CEntryBar* bar);
    // Records the frame rectangle the sheet needs: the sheet with room above it for
    // the frame's menu. Done once per view.
    void FitFrameToSheet(int menuHeight);

    QTabWidget* sheet() const { return m_pSheet; }
    CPage1& albumPage() const { return *m_pPage1; }
    CPage2& plantPage() const { return *m_pPage2; }
    CPage3& purchasePage() const { return *m_pPage3; }
    CPage4& transformationPage() const { return *m_pPage4; }
    CPage5& maintenancePage() const { return *m_pPage5; }
    CPage6& speciesPage() const { return *m_pPage6; }

    // True while an entry is shown: Delete, Update and Print are enabled.
    bool HasCurrentEntry() const { return m_posCurrent.has_value(); }

    // EntryViewLink
    void ResetEntries() override;
    void CommitCurrentEntry() override;
    void OfferToKeepChanges() override;
    void OnInitialUpdate() override;

    void LoadEntryIntoPages(std::size_t position);
    void ReadPagesIntoEntry(CBonsaiData& entry);
    void CreateEntryFromPages(const std::string& name);
    void ClearPages();
    void PreparePagesForNewEntry();

public slots:
    void OnEntrySelChange(int index);
    void OnEntryAdd();
    void OnEntryUpdate();
    void OnEntryDelete();

signals:
    // The enabled state of Delete, Update or Print may have changed.
    void commandStatesChanged();

private:
    void SetShowing(bool showing);

    CTalvaneDoc& m_doc;
    UiServices& m_services;
    QTabWidget* m_pSheet;
    CPage1* m_pPage1;
    CPage2* m_pPage2;
    CPage3* m_pPage3;
    CPage4* m_pPage4;
    CPage5* m_pPage5;
    CPage6* m_pPage6;
    std::unique_ptr<PageTransfer> m_transfer;
    CEntryBar* m_entryBar = nullptr;
    // Set at the first initial update: until then there is no list to reset.
    bool m_bHasEntries = false;
    std::optional<std::size_t> m_posCurrent;
    bool m_bFrameFitted = false;
};
