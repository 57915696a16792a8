#include "ui/app/AboutDlg.h"

#include "ui/framework/DialogTemplate.h"

#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    m_strAboutText = QStringList{QStringLiteral("Talvane"), tr("Version: 1.1.0 [Html]"), QString(),
                                 QStringLiteral("Copyright (C) Orvande. All rights reserved."),
                                 QStringLiteral(" Orvande")}
                         .join(QLatin1Char('\n'));
    setWindowTitle(tr("About Talvane ..."));
    DialogTemplate t(this, 182, 90);
    auto* icon = t.label(QString(), 5, 5, 20, 20);
    icon->setPixmap(QPixmap(QStringLiteral(":/talvane/icon32.png")));
    connect(t.button(1, tr("&OK"), 125, 10, 47, 14, true), &QPushButton::clicked, this, &QDialog::accept);
    auto* text = t.label(m_strAboutText, 5, 35, 170, 50);
    text->setObjectName(QStringLiteral("1054"));
    text->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    text->setWordWrap(true);
}
