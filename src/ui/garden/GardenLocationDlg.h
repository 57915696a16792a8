#pragma once

// moc cannot read the standard library's concepts, which the settings bring in.
#ifndef Q_MOC_RUN
#include "core/garden/GardenSettings.h"
#include "core/reminders/GardenWeather.h"
#endif

#include <QDialog>

#include <optional>
#include <stop_token>
#include <vector>

class GardenWatch;
class Prompter;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QThread;

// Where the collection's garden is, for its forecast: a town looked up through the
// forecast server's geocoding, or a latitude and a longitude, and the server itself
// (Open-Meteo's, or one of the grower's own). The place is kept beside the collection's
// path in the user's settings and sent to nobody but the forecast server.
class GardenLocationDlg : public QDialog {
    Q_OBJECT
public:
    GardenLocationDlg(GardenWatch& watch, Prompter& prompter, QWidget* parent = nullptr);
    ~GardenLocationDlg() override;

    QLineEdit* townEdit() const { return m_town; }
    QPushButton* lookUpButton() const { return m_lookUp; }
    QListWidget* townList() const { return m_towns; }
    QDoubleSpinBox* latitudeBox() const { return m_latitude; }
    QDoubleSpinBox* longitudeBox() const { return m_longitude; }
    QLineEdit* serverEdit() const { return m_server; }
    QLabel* lookUpNote() const { return m_note; }
    QPushButton* forgetButton() const { return m_forget; }
    // Whether a town is being looked up.
    bool isLookingUp() const { return m_looking != nullptr; }

public slots:
    // Looks the town typed up on the forecast server; the towns found are listed.
    void onLookUp();
    // The town chosen in the list gives its latitude and longitude.
    void onTownChosen();
    // The garden is placed nowhere: no forecast is read for it any more.
    void onForget();
    void accept() override;

private:
    void addTownRows(class QFormLayout* form);
    void showLocation(const talvane::garden::GardenLocation& location);
    void listTowns(const std::variant<std::vector<talvane::reminders::Town>, std::string>& found);

    GardenWatch& m_watch;
    Prompter& m_prompter;
    std::vector<talvane::reminders::Town> m_found;
    QLineEdit* m_town;
    QPushButton* m_lookUp;
    QListWidget* m_towns;
    QLabel* m_note;
    QDoubleSpinBox* m_latitude;
    QDoubleSpinBox* m_longitude;
    QLineEdit* m_server;
    QPushButton* m_forget;
    QThread* m_looking = nullptr;
    std::stop_source m_stopLooking; // asked when the window goes
};
