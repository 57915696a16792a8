#pragma once

#include "ui/framework/PropertyPage.h"

// moc cannot read the standard library's concepts, which the date brings in.
#ifndef Q_MOC_RUN
#include "core/garden/Place.h"
#include "core/garden/TreeLimits.h"
#endif

#include <string>

class CTalvaneDoc;
class GardenWatch;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

// The "Garden" tab: where the tree stands (a place of the collection, its kind and how
// many degrees it shelters from frost), the temperatures it takes in its pot (its
// species', or the grower's own: a limit is the tree's own only where it differs from
// its species'), and when its wire is to be checked. Like the Journal
// tab it holds no edits: each change is a step of the history at once. A place's kind
// and shelter are the place's, so changing them changes every tree standing there.
class GardenPage : public CPropertyPage {
    Q_OBJECT
public:
    GardenPage(const CTalvaneDoc& doc, const GardenWatch& watch, QWidget* parent = nullptr);

    // The texts of the entry's place and watch fields.
    std::string m_placeText;
    std::string m_watchText;

    // Shows m_placeText and m_watchText, with the collection's places and the tree's
    // species and wire as they are.
    void refresh();

    QComboBox* placeBox() const { return m_place; }
    QComboBox* kindBox() const { return m_kind; }
    QSpinBox* shelterBox() const { return m_shelter; }
    QSpinBox* lowestBox() const { return m_lowest; }
    QSpinBox* highestBox() const { return m_highest; }
    QLabel* limitsNote() const { return m_limitsNote; }
    QLabel* wireNote() const { return m_wireNote; }
    QPushButton* wireCheckedButton() const { return m_wireChecked; }
    QPushButton* wireSnoozeButton() const { return m_wireSnooze; }

public slots:
    // The place typed or chosen: an existing place brings its kind and shelter.
    void onPlaceChosen();
    void onKindChosen();
    void onShelterChosen();
    void onLimitsChosen();
    void onWireChecked();
    void onWireSnoozed();

signals:
    // The tree's fields on the page changed by the step `verb`: the entry takes them at once.
    void gardenChanged(const QString& verb);
    // The place the tree stands at is to be of another kind or shelter, for every tree there.
    void placeChanged(const talvane::garden::Place& before, const talvane::garden::Place& after);

protected:
    void DoDataExchange(DataExchange&) override {}
    void showEvent(QShowEvent* event) override;

private:
    void createPlaceGroup();
    void createLimitsGroup();
    void createWireGroup();
    void showPlace();
    // The collection's places in the list, and how many trees stand at the tree's.
    void listPlaces();
    void showLimits();
    void showWire();
    void setWatch(const talvane::garden::TreeWatch& watch, const QString& verb);
    void changePlaceTo(const talvane::garden::Place& after);

    const CTalvaneDoc& m_doc;
    const GardenWatch& m_gardenWatch;
    bool m_showing = false; // set while the controls take the fields' values
    bool m_placesListed = false;
    QComboBox* m_place;
    QComboBox* m_kind;
    QSpinBox* m_shelter;
    QLabel* m_shelterNote;
    QLabel* m_treesHere;
    QSpinBox* m_lowest;
    QSpinBox* m_highest;
    QLabel* m_limitsNote;
    QLabel* m_wireNote;
    QPushButton* m_wireChecked;
    QPushButton* m_wireSnooze;
};
