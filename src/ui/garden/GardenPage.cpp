#include "ui/garden/GardenPage.h"

#include "core/garden/WireWatch.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/CoreTexts.h"
#include "ui/framework/DialogTemplate.h"
#include "ui/journal/GardenWatch.h"
#include "core/search/CollectionPlaces.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

using namespace talvane::garden;

namespace {

// Limits a grower can give, in °C: colder than any garden's night, hotter than any day.
constexpr int kColdestLimit = -60;
constexpr int kHottestLimit = 60;
// A snoozed wire check comes back after a week.
constexpr long kSnoozeDays = 7;

QSpinBox* degreesBox(QWidget* parent, int lowest, int highest)
{
    auto* box = new QSpinBox(parent);
    box->setRange(lowest, highest);
    box->setSuffix(QStringLiteral(" \u00B0C"));
    box->setKeyboardTracking(false);
    return box;
}

QString placeName(const std::optional<Place>& place)
{
    return place ? fromAnsi(place->name) : QString();
}

} // namespace

GardenPage::GardenPage(const CTalvaneDoc& doc, const GardenWatch& watch, QWidget* parent)
    : CPropertyPage(parent), m_doc(doc), m_gardenWatch(watch)
{
    createPlaceGroup();
    createLimitsGroup();
    createWireGroup();
    connect(&m_gardenWatch, &GardenWatch::changed, this, &GardenPage::showWire);
}

void GardenPage::createPlaceGroup()
{
    DialogTemplate t(this, 342, 186);
    t.groupBox(tr("Where it stands"), 5, 3, 332, 62);
    t.label(tr("Place:"), 12, 16, 45, 10);
    m_place = t.editableList(1201, 60, 14, 140, 100, {}, false);
    m_place->setInsertPolicy(QComboBox::NoInsert);
    m_treesHere = t.label(QString(), 208, 16, 124, 10);
    t.label(tr("Kind:"), 12, 32, 45, 10);
    m_kind = t.dropDownList(1202, 60, 30, 140, 100);
    for (PlaceKind kind : kPlaceKinds)
        m_kind->addItem(coreText(placeKindName(kind)), static_cast<int>(kind));
    QLabel* shelterLabel = t.label(tr("Shelter:"), 12, 48, 45, 10);
    m_shelter = degreesBox(this, 0, 30);
    m_shelter->setObjectName(QStringLiteral("1203"));
    m_shelter->setGeometry(t.units().rect(60, 46, 40, 12));
    shelterLabel->setBuddy(m_shelter);
    m_shelter->setAccessibleName(tr("Shelter"));
    m_shelterNote = t.label(QString(), 104, 48, 228, 10);
    connect(m_place, &QComboBox::activated, this, &GardenPage::onPlaceChosen);
    connect(m_place->lineEdit(), &QLineEdit::editingFinished, this, &GardenPage::onPlaceChosen);
    connect(m_kind, &QComboBox::activated, this, &GardenPage::onKindChosen);
    connect(m_shelter, &QSpinBox::valueChanged, this, &GardenPage::onShelterChosen);
}

void GardenPage::createLimitsGroup()
{
    DialogTemplate t(this, 342, 186);
    t.groupBox(tr("Temperatures it takes in its pot"), 5, 68, 332, 52);
    QLabel* lowestLabel = t.label(tr("Lowest:"), 12, 82, 35, 10);
    m_lowest = degreesBox(this, kColdestLimit, kHottestLimit);
    m_lowest->setObjectName(QStringLiteral("1205"));
    m_lowest->setGeometry(t.units().rect(48, 80, 44, 12));
    lowestLabel->setBuddy(m_lowest);
    m_lowest->setAccessibleName(tr("Lowest"));
    QLabel* highestLabel = t.label(tr("Highest:"), 110, 82, 35, 10);
    m_highest = degreesBox(this, kColdestLimit, kHottestLimit);
    m_highest->setObjectName(QStringLiteral("1206"));
    m_highest->setGeometry(t.units().rect(146, 80, 44, 12));
    highestLabel->setBuddy(m_highest);
    m_highest->setAccessibleName(tr("Highest"));
    m_limitsNote = t.label(QString(), 12, 98, 318, 18);
    m_limitsNote->setWordWrap(true);
    connect(m_lowest, &QSpinBox::valueChanged, this, &GardenPage::onLimitsChosen);
    connect(m_highest, &QSpinBox::valueChanged, this, &GardenPage::onLimitsChosen);
}

void GardenPage::createWireGroup()
{
    DialogTemplate t(this, 342, 186);
    t.groupBox(tr("Wire watch"), 5, 123, 332, 58);
    m_wireNote = t.label(QString(), 12, 135, 318, 22);
    m_wireNote->setWordWrap(true);
    m_wireChecked = t.button(1207, tr("Wire chec&ked"), 12, 162, 70, 14);
    m_wireSnooze = t.button(1208, tr("Snoo&ze a week"), 88, 162, 70, 14);
    connect(m_wireChecked, &QPushButton::clicked, this, &GardenPage::onWireChecked);
    connect(m_wireSnooze, &QPushButton::clicked, this, &GardenPage::onWireSnoozed);
}

void GardenPage::refresh()
{
    m_showing = true;
    showPlace();
    showLimits();
    showWire();
    m_showing = false;
}

void GardenPage::showPlace()
{
    const std::optional<Place> place = readPlace(m_placeText);
    m_place->setEditText(placeName(place));
    const PlaceKind kind = place ? place->kind : PlaceKind::OpenAir;
    m_kind->setCurrentIndex(m_kind->findData(static_cast<int>(kind)));
    m_kind->setEnabled(place.has_value());
    m_shelter->setValue(place ? place->shelter : 0);
    m_shelter->setEnabled(place && !neverFreezes(kind));
    m_shelterNote->setText(!place ? tr("A tree without a place is watched as in the open air.")
                           : neverFreezes(kind) ? tr("Never freezes.")
                                                : tr("Above the open air's lowest."));
    // Every tree is looked at for the places: only while the tab is in front, not at each
    // tree the window shows.
    m_placesListed = false;
    if (isVisible())
        listPlaces();
}

void GardenPage::listPlaces()
{
    const QString typed = m_place->currentText();
    m_place->clear();
    for (const Place& known : talvane::search::collectionPlaces(m_doc.entries()))
        m_place->addItem(fromAnsi(known.name));
    m_place->setEditText(typed);
    const std::optional<Place> place = readPlace(m_placeText);
    const std::size_t here = place ? treesAt(m_doc.entries(), place->name).size() : 0;
    m_treesHere->setText(!place      ? QString()
                         : here == 1 ? tr("1 tree stands here")
                                     : tr("%1 trees stand here").arg(here));
    m_placesListed = true;
}

void GardenPage::showEvent(QShowEvent* event)
{
    CPropertyPage::showEvent(event);
    if (!m_placesListed) {
        m_showing = true;
        listPlaces();
        m_showing = false;
    }
}

void GardenPage::showLimits()
{
    const TreeWatch watch = readTreeWatch(m_watchText);
    const CBonsaiData* entry = m_doc.currentEntry();
    const SpeciesNeeds needs = entry ? speciesNeeds(*entry) : SpeciesNeeds{};
    m_lowest->setValue(watch.lowest.value_or(needs.limits.lowest));
    m_highest->setValue(watch.highest.value_or(needs.limits.highest));
    const QString range = tr("%1 to %2").arg(QString::fromStdString(degreesText(needs.limits.lowest)),
                                             QString::fromStdString(degreesText(needs.limits.highest)));
    m_limitsNote->setText(needs.fromTable ? tr("Its species takes %1 in a pot.").arg(range)
                                          : tr("A tree of this kind takes %1 in a pot, unless its species is known.").arg(range));
}

void GardenPage::showWire()
{
    const auto position = m_doc.currentPosition();
    const auto check = position ? wireCheckOf(m_doc.entries(), *position, m_gardenWatch.forecast(), m_gardenWatch.today())
                                : std::nullopt;
    m_wireChecked->setEnabled(check.has_value());
    m_wireSnooze->setEnabled(check.has_value());
    if (!check) {
        m_wireNote->setText(tr("No wire on this tree: the watch begins with a wiring in its journal."));
        return;
    }
    QString text = tr("Wired on %1; check the wire on %2.")
                       .arg(QString::fromStdString(check->wired.text()), QString::fromStdString(check->checkOn.text()));
    if (m_gardenWatch.hasForecast())
        text += QLatin1Char(' ') + (check->warmWeeks == 1 ? tr("1 warm week so far.")
                                                          : tr("%1 warm weeks so far.").arg(check->warmWeeks));
    else
        text += QLatin1Char(' ') + tr("Give the garden's location (View, Garden location) to count the warm weeks.");
    m_wireNote->setText(text);
}

void GardenPage::onPlaceChosen()
{
    if (m_showing || !m_doc.currentEntry())
        return;
    const QString typed = m_place->currentText().trimmed();
    const std::optional<Place> before = readPlace(m_placeText);
    if (typed == placeName(before))
        return;
    std::string text;
    if (!typed.isEmpty()) {
        const std::string name = toAnsi(typed);
        const auto places = talvane::search::collectionPlaces(m_doc.entries());
        const auto known = std::ranges::find(places, name, &Place::name);
        text = placeFieldText(known != places.end() ? *known : placeOfKind(name, PlaceKind::OpenAir));
    }
    m_placeText = text;
    refresh();
    emit gardenChanged(text.empty() ? tr("Take out of its place") : tr("Place"));
}

void GardenPage::onKindChosen()
{
    const std::optional<Place> before = readPlace(m_placeText);
    if (m_showing || !before)
        return;
    const auto kind = static_cast<PlaceKind>(m_kind->currentData().toInt());
    if (kind != before->kind)
        changePlaceTo(placeOfKind(before->name, kind));
}

void GardenPage::onShelterChosen()
{
    const std::optional<Place> before = readPlace(m_placeText);
    if (m_showing || !before || m_shelter->value() == before->shelter)
        return;
    Place after = *before;
    after.shelter = m_shelter->value();
    changePlaceTo(after);
}

void GardenPage::changePlaceTo(const Place& after)
{
    const Place before = *readPlace(m_placeText);
    m_placeText = placeFieldText(after);
    emit placeChanged(before, after);
}

void GardenPage::onLimitsChosen()
{
    const CBonsaiData* entry = m_doc.currentEntry();
    if (m_showing || !entry)
        return;
    // A limit equal to the species' follows the species: a tree renamed to another
    // species takes that one's.
    const TemperatureLimits species = speciesNeeds(*entry).limits;
    const auto own = [](int chosen, int ofSpecies) { return chosen == ofSpecies ? std::nullopt : std::optional(chosen); };
    TreeWatch watch = readTreeWatch(m_watchText);
    watch.lowest = own(m_lowest->value(), species.lowest);
    watch.highest = own(m_highest->value(), species.highest);
    setWatch(watch, tr("Set limits"));
}

void GardenPage::onWireChecked()
{
    TreeWatch watch = readTreeWatch(m_watchText);
    watch.wireChecked = m_gardenWatch.today();
    watch.wireSnoozed.reset();
    setWatch(watch, tr("Check wire"));
}

void GardenPage::onWireSnoozed()
{
    TreeWatch watch = readTreeWatch(m_watchText);
    watch.wireSnoozed = m_gardenWatch.today().plusDays(kSnoozeDays);
    setWatch(watch, tr("Snooze wire check"));
}

void GardenPage::setWatch(const TreeWatch& watch, const QString& verb)
{
    const std::string text = treeWatchText(watch);
    if (text == m_watchText || !m_doc.currentEntry())
        return;
    m_watchText = text;
    refresh();
    emit gardenChanged(verb);
}
