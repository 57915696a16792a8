#include "ui/companion/PhoneLanguage.h"

#include "ui/framework/CoreTexts.h"

#include <QCoreApplication>

namespace {

// The context of every text of translations/talvane_fr_phone.ts.
constexpr char kPhonePages[] = "PhonePages";

} // namespace

std::string phoneTextInWindowLanguage(std::string_view english)
{
    const std::string source(english);
    const QString said = QCoreApplication::translate(kPhonePages, source.c_str());
    // A text the phone pages do not translate themselves comes back as it is written.
    return said == QString::fromUtf8(source) ? windowWords(english) : said.toStdString();
}
