#pragma once

#include "ui/framework/PropertyPage.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

class CTalvaneDoc;
class QLabel;
class QPushButton;
class QTreeWidget;
class UiServices;

namespace talvane::journal {
class Journal;
struct CareEvent;
struct NumberedEvent;
}

// The "Journal" tab: the dated care events of the entry, newest first, with their
// measurements and their photos, and Add, Edit and Delete. Its one member is the text
// of the entry's journal field. Each Add, Edit or Delete is a step of the collection's
// history at once, as a photo added to the album is: the chart and the care due see it
// straight away, while the other tabs' edits wait for Update. A field that is not a
// journal this version can read is shown as such and never rewritten.
class JournalPage : public CPropertyPage {
    Q_OBJECT
public:
    JournalPage(const CTalvaneDoc& doc, UiServices& services, QWidget* parent = nullptr);

    std::string m_journalText;

    // Lists the events of m_journalText.
    void refreshEventList();

    QTreeWidget* eventList() const { return m_list; }
    QLabel* notice() const { return m_notice; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* editButton() const { return m_edit; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* addPhotosButton() const { return m_addPhotos; }

public slots:
    void onEventAdd();
    void onEventEdit();
    void onEventDelete();

signals:
    // The journal on the page changed by the step `verb` ("Add event"): the entry's
    // journal is to take it at once.
    void journalChanged(const QString& verb);
    // The grower asked to put photos on the tree's timeline, or to see it.
    void addPhotosRequested();
    void timelineRequested();

protected:
    void DoDataExchange(DataExchange&) override {}

private:
    void addEventRow(const talvane::journal::NumberedEvent& numbered);
    void addUnreadableRow(const std::string& unreadable);
    // Says why the journal, or some of its lines, cannot be changed here.
    void showNotice(std::size_t unreadable);
    // The journal line of the selected event, if an event is selected.
    std::optional<std::size_t> selectedLine() const;
    // Asks for an event; nothing when the dialog was cancelled.
    std::optional<talvane::journal::CareEvent> askEvent(const talvane::journal::CareEvent& start);
    // Applies an edit to the page's journal, shows the result and hands it on as `verb`.
    void change(const QString& verb, const std::function<bool(talvane::journal::Journal&)>& edit);
    void updateButtons();

    const CTalvaneDoc& m_doc;
    UiServices& m_services;
    QTreeWidget* m_list;
    QLabel* m_notice;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_delete;
    QPushButton* m_addPhotos;
    QPushButton* m_timeline;
    // The widest the measurements' column grows before their text is cut.
    int m_measuredWidth;
    bool m_foreign = false;
};
