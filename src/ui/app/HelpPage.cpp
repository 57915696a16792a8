#include "app/HelpPage.h"

#include "framework/BaseDirectory.h"

#include <QFileInfo>
#include <QLocale>

QString HelpPagePath()
{
    const QString french = QStringLiteral("hlp/fr/index.htm");
    if (QLocale().language() == QLocale::French && QFileInfo(ShippedFilePath(french)).isFile())
        return french;
    return QStringLiteral("hlp/index.htm");
}
