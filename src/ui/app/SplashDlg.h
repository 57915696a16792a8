#pragma once

#include <QDialog>

// The start-up picture, on top of the main window for three one-second ticks.
// Enter or Escape closes it at once.
class CSplashDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSplashDlg(QWidget* parent = nullptr);

    int m_nSecondsLeft = 0;

    // Starts the count-down; called as the dialog is shown.
    void OnInitDialog();

protected:
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
};
