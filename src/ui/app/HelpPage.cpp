#include "ui/app/HelpPage.h"

#include "ui/framework/BaseDirectory.h"
#include "ui/framework/Translations.h"

#include <QFileInfo>

QString helpPagePath()
{
    const QString french = QStringLiteral("hlp/fr/index.htm");
    if (InstalledLanguage::current() == QLatin1String(Translations::kFrench) && QFileInfo(shippedFilePath(french)).isFile())
        return french;
    return QStringLiteral("hlp/index.htm");
}
