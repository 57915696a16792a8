#pragma once

#include <QSettings>
#include <QString>

// Where the program keeps what it remembers from one run to the next.
inline QSettings appSettings()
{
    return QSettings(QStringLiteral("Orvande"), QStringLiteral("Talvane"));
}
