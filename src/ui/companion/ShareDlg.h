#pragma once

#include <QDialog>

class PhoneSharing;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;
class UiServices;

namespace talvane::companion {
struct PairedPhone;
}

// File > Share with phones: the QR code a phone scans to pair, the address it holds,
// the network it is on, the phones paired with the collection, each renamed in place
// and with a Disconnect button that unpairs it, the programs with a token for the
// collection's API with a Revoke button each, "Share with phones at login", Stop sharing
// and Close. Sharing lasts until Stop sharing, the window closed or not; the phones stay
// paired from one sharing to the next.
class ShareDlg : public QDialog {
    Q_OBJECT
public:
    ShareDlg(PhoneSharing& sharing, UiServices& services, QWidget* parent = nullptr);

    // Starts sharing when it is off; false (after saying why) when it cannot.
    bool startSharing();

    QLabel* codeLabel() const { return m_code; }
    QLineEdit* addressEdit() const { return m_address; }
    QComboBox* networkBox() const { return m_network; }
    QTreeWidget* phoneList() const { return m_phones; }
    QTreeWidget* programList() const { return m_programs; }
    QPushButton* newCodeButton() const { return m_newCode; }
    QPushButton* stopButton() const { return m_stop; }
    QCheckBox* shareAtLoginBox() const { return m_atLogin; }

public slots:
    void showAddress();
    // Listens on the network of that item of the network box from now on.
    void onNetworkChosen(int index);
    void refreshPhones();
    // Renames the phone of the item to the name typed in its first column.
    void onPhoneRenamed(QTreeWidgetItem* item, int column);
    // The programs with a token for the shared collection's API, each with Revoke.
    void refreshPrograms();
    void onNewCode();
    // Writes or removes the autostart entry that shares the collection at login.
    void onShareAtLogin(bool on);

protected:
    void done(int result) override;

private:
    void addPairingCode(QVBoxLayout* layout);
    void addNetworkRows(QVBoxLayout* layout);
    void addPhoneList(QVBoxLayout* layout);
    void addProgramList(QVBoxLayout* layout);
    void addLoginChoice(QVBoxLayout* layout);
    void addButtons(QVBoxLayout* layout);
    // The phone's row, with its Disconnect button.
    void addPhoneRow(const talvane::companion::PairedPhone& phone);
    void fillNetworks();
    void showListenedNetwork();
    void showShareAtLogin();
    // Says why the kept phones could not be changed, `what` holding the reason as %1.
    void sayKeptPhonesFailure(const QString& what);

    PhoneSharing& m_sharing;
    UiServices& m_services;
    QLabel* m_code;
    QLineEdit* m_address;
    QComboBox* m_network;
    QTreeWidget* m_phones;
    QLabel* m_programsLabel;
    QTreeWidget* m_programs;
    QPushButton* m_newCode;
    QPushButton* m_stop;
    QCheckBox* m_atLogin;
    QTimer* m_renewCode;
    int m_listening = 0; // the item of the network listened on
};
