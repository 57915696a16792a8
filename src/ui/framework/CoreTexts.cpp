#include "ui/framework/CoreTexts.h"

#include "ui/framework/AnsiText.h"

#include <QCoreApplication>


QString CoreText(std::string_view english)
{
    return QString::fromStdString(WindowWords(FromAnsi(english).toStdString()));
}

std::string WindowWords(std::string_view english)
{
    const std::string source(english);
    return QCoreApplication::translate("CoreTexts", source.c_str()).toStdString();
}
