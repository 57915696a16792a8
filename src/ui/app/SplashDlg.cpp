#include "ui/app/SplashDlg.h"

#include <QKeyEvent>
#include <QLabel>

CSplashDlg::CSplashDlg(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    // The window is exactly its picture: no band of background shows beside it.
    const QPixmap image(QStringLiteral(":/talvane/splash.bmp"));
    auto* picture = new QLabel(this);
    picture->setPixmap(image);
    picture->setGeometry(QRect(QPoint(0, 0), image.size()));
    setFixedSize(image.size());
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
