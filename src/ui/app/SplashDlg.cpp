#include "app/SplashDlg.h"

#include "framework/DialogTemplate.h"

#include <QKeyEvent>
#include <QLabel>

CSplashDlg::CSplashDlg(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    DialogTemplate t(this, 267, 246);
    auto* picture = t.Label(QString(), 0, 0, 267, 246);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(QPixmap(QStringLiteral(":/talvane/splash.bmp")));
}

void CSplashDlg::OnInitDialog()
{
    m_nSecondsLeft = 3;
    startTimer(1000);
}

void CSplashDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_nSecondsLeft == 0)
        OnInitDialog();
}

void CSplashDlg::timerEvent(QTimerEvent* event)
{
    QDialog::timerEvent(event);
    if (--m_nSecondsLeft <= 0)
        accept();
}

void CSplashDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
