#include "ui/framework/CoreTexts.h"

#include "ui/framework/AnsiText.h"

#include <QCoreApplication>

QString coreText(std::string_view english)
{
    return QString::fromStdString(windowWords(fromAnsi(english).toStdString()));
}

std::string windowWords(std::string_view english)
{
    const std::string source(english);
    return QCoreApplication::translate("CoreTexts", source.c_str()).toStdString();
}
