#include "framework/CoreTexts.h"

#include "framework/AnsiText.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// Every text the core gives the window to show, so that the translation files hold
// them; a test checks that none is missing.
constexpr const char* kCoreTexts[] = {
    QT_TRANSLATE_NOOP("CoreTexts", "New entry"),
    QT_TRANSLATE_NOOP("CoreTexts", "The plant"),
    QT_TRANSLATE_NOOP("CoreTexts", "Purchase"),
    QT_TRANSLATE_NOOP("CoreTexts", "Species specifics"),
    QT_TRANSLATE_NOOP("CoreTexts", "Transformation"),
    QT_TRANSLATE_NOOP("CoreTexts", "Maintenance"),
    QT_TRANSLATE_NOOP("CoreTexts", "Photo album"),
    QT_TRANSLATE_NOOP("CoreTexts", "Journal"),
    QT_TRANSLATE_NOOP("CoreTexts", "Name or ID number"),
    QT_TRANSLATE_NOOP("CoreTexts", "Botanical name"),
    QT_TRANSLATE_NOOP("CoreTexts", "French name"),
    QT_TRANSLATE_NOOP("CoreTexts", "English name"),
    QT_TRANSLATE_NOOP("CoreTexts", "Common name"),
    QT_TRANSLATE_NOOP("CoreTexts", "Subspecies"),
    QT_TRANSLATE_NOOP("CoreTexts", "Species"),
    QT_TRANSLATE_NOOP("CoreTexts", "Cultivar"),
    QT_TRANSLATE_NOOP("CoreTexts", "Notes"),
    QT_TRANSLATE_NOOP("CoreTexts", "Plant"),
    QT_TRANSLATE_NOOP("CoreTexts", "Age"),
    QT_TRANSLATE_NOOP("CoreTexts", "Date"),
    QT_TRANSLATE_NOOP("CoreTexts", "Trunk diam."),
    QT_TRANSLATE_NOOP("CoreTexts", "Style"),
    QT_TRANSLATE_NOOP("CoreTexts", "Trunk height"),
    QT_TRANSLATE_NOOP("CoreTexts", "Source"),
    QT_TRANSLATE_NOOP("CoreTexts", "Price"),
    QT_TRANSLATE_NOOP("CoreTexts", "History"),
    QT_TRANSLATE_NOOP("CoreTexts", "Leaf pruning"),
    QT_TRANSLATE_NOOP("CoreTexts", "Fertilizing"),
    QT_TRANSLATE_NOOP("CoreTexts", "Insecticide"),
    QT_TRANSLATE_NOOP("CoreTexts", "Pinching"),
    QT_TRANSLATE_NOOP("CoreTexts", "Repotting"),
    QT_TRANSLATE_NOOP("CoreTexts", "Pruning"),
    QT_TRANSLATE_NOOP("CoreTexts", "To do"),
    QT_TRANSLATE_NOOP("CoreTexts", "Watering"),
    QT_TRANSLATE_NOOP("CoreTexts", "Position and light"),
    QT_TRANSLATE_NOOP("CoreTexts", "Wintering and dormancy"),
    QT_TRANSLATE_NOOP("CoreTexts", "Min. temp."),
    QT_TRANSLATE_NOOP("CoreTexts", "pH"),
    QT_TRANSLATE_NOOP("CoreTexts", "Rust zone/\nCulture code"),
    QT_TRANSLATE_NOOP("CoreTexts", "Soil"),
    QT_TRANSLATE_NOOP("CoreTexts", "Wiring"),
    QT_TRANSLATE_NOOP("CoreTexts", "Trimming and Pruning"),
    QT_TRANSLATE_NOOP("CoreTexts", "Description (Date, age, ...)"),
    QT_TRANSLATE_NOOP("CoreTexts", "Interior"),
    QT_TRANSLATE_NOOP("CoreTexts", "Exterior"),
    QT_TRANSLATE_NOOP("CoreTexts", "Seeds"),
    QT_TRANSLATE_NOOP("CoreTexts", "Cuttings"),
    QT_TRANSLATE_NOOP("CoreTexts", "Layering"),
    QT_TRANSLATE_NOOP("CoreTexts", "Grafting"),
    QT_TRANSLATE_NOOP("CoreTexts", "Nursery"),
    QT_TRANSLATE_NOOP("CoreTexts", "Collected from the wild"),
    QT_TRANSLATE_NOOP("CoreTexts", "Formal upright (Chokkan)"),
    QT_TRANSLATE_NOOP("CoreTexts", "Informal upright (Moyogi)"),
    QT_TRANSLATE_NOOP("CoreTexts", "Slanting (Shakan)"),
    QT_TRANSLATE_NOOP("CoreTexts", "Semi-Cascade (Han-Kengai)"),
    QT_TRANSLATE_NOOP("CoreTexts", "Cascade (Kengai)"),
    QT_TRANSLATE_NOOP("CoreTexts", "Twin trunk (Sokan)"),
    QT_TRANSLATE_NOOP("CoreTexts", "Triple (Sankan)"),
    QT_TRANSLATE_NOOP("CoreTexts", "Multiple (Kabudachi)"),
    QT_TRANSLATE_NOOP("CoreTexts", "Raft (Ikada)"),
    QT_TRANSLATE_NOOP("CoreTexts", "Group planting (Yose-ue)"),
    QT_TRANSLATE_NOOP("CoreTexts", "Broom (Hokidachi)"),
    QT_TRANSLATE_NOOP("CoreTexts", "Name"),
    QT_TRANSLATE_NOOP("CoreTexts", "Interior/Exterior"),
    QT_TRANSLATE_NOOP("CoreTexts", "Purchased"),
    QT_TRANSLATE_NOOP("CoreTexts", "Photos"),
    QT_TRANSLATE_NOOP("CoreTexts", "Defoliation"),
    QT_TRANSLATE_NOOP("CoreTexts", "Feeding"),
    QT_TRANSLATE_NOOP("CoreTexts", "Note"),
    QT_TRANSLATE_NOOP("CoreTexts", "Photo"),
    QT_TRANSLATE_NOOP("CoreTexts", "Styling"),
    QT_TRANSLATE_NOOP("CoreTexts", "Treatment"),
    QT_TRANSLATE_NOOP("CoreTexts", "Wire removal"),
    QT_TRANSLATE_NOOP("CoreTexts", "Height"),
    QT_TRANSLATE_NOOP("CoreTexts", "Trunk diameter"),
    QT_TRANSLATE_NOOP("CoreTexts", "Nebari width"),
    QT_TRANSLATE_NOOP("CoreTexts", "Canopy width"),
    QT_TRANSLATE_NOOP("CoreTexts", "January"),
    QT_TRANSLATE_NOOP("CoreTexts", "February"),
    QT_TRANSLATE_NOOP("CoreTexts", "March"),
    QT_TRANSLATE_NOOP("CoreTexts", "April"),
    QT_TRANSLATE_NOOP("CoreTexts", "May"),
    QT_TRANSLATE_NOOP("CoreTexts", "June"),
    QT_TRANSLATE_NOOP("CoreTexts", "July"),
    QT_TRANSLATE_NOOP("CoreTexts", "August"),
    QT_TRANSLATE_NOOP("CoreTexts", "September"),
    QT_TRANSLATE_NOOP("CoreTexts", "October"),
    QT_TRANSLATE_NOOP("CoreTexts", "November"),
    QT_TRANSLATE_NOOP("CoreTexts", "December"),
};

} // namespace

QString CoreText(std::string_view english)
{
    const QString text = FromAnsi(english);
    return QCoreApplication::translate("CoreTexts", text.toUtf8().constData());
}

QString ListedTreesText(std::size_t listed, std::size_t total, bool filtered)
{
    const auto count = [](std::size_t n) { return QString::number(n); };
    // None and one have texts of their own: French counts none in the singular.
    if (!filtered)
        return total == 0   ? QCoreApplication::translate("CoreTexts", "0 trees")
               : total == 1 ? QCoreApplication::translate("CoreTexts", "1 tree")
                            : QCoreApplication::translate("CoreTexts", "%1 trees").arg(count(total));
    return total == 0   ? QCoreApplication::translate("CoreTexts", "0 of 0 trees")
           : total == 1 ? QCoreApplication::translate("CoreTexts", "%1 of 1 tree").arg(count(listed))
                        : QCoreApplication::translate("CoreTexts", "%1 of %2 trees").arg(count(listed), count(total));
}

std::string WindowWords(std::string_view english)
{
    const std::string source(english);
    return QCoreApplication::translate("CoreTexts", source.c_str()).toStdString();
}

std::span<const char* const> ListedCoreTexts()
{
    return kCoreTexts;
}
