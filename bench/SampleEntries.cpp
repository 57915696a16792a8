#include "SampleEntries.h"

#include "core/journal/Journal.h"

#include <string>

using namespace talvane::collection;

namespace {

const char* const kSpecies[] = {"Acer palmatum", "Juniperus chinensis", "Pinus thunbergii", "Ulmus parvifolia",
                                "Ficus retusa", "Rhododendron indicum", "Olea europaea", "Zelkova serrata"};

} // namespace

void fillSampleEntry(CBonsaiData& entry, std::size_t n)
{
    const std::string species = kSpecies[n % std::size(kSpecies)];
    entry[CBonsaiData::Name] = "Tree " + std::to_string(n);
    entry[CBonsaiData::BotanicalName] = species;
    entry[CBonsaiData::EnglishName] = "Japanese maple";
    entry[CBonsaiData::PlantNotes] = "Bought as a nursery plant; strong nebari, one weak branch on the left.";
    entry[CBonsaiData::IntExt] = std::to_string(n % 2);
    entry[CBonsaiData::PurchaseAge] = "12 years";
    entry[CBonsaiData::PurchaseDate] = "14/04/2019";
    entry[CBonsaiData::PurchaseStyle] = "Moyogi";
    entry[CBonsaiData::PricePaid] = "85 EUR";
    entry[CBonsaiData::History] = "Repotted into a shallower pot in spring; first wiring of the primary branches "
                                  "in autumn, removed after eight weeks.\r\nApex replaced by a side shoot.";
    entry[CBonsaiData::Fertilization] = "Organic pellets every four weeks from April to September.";
    entry[CBonsaiData::MaintenanceNotes] = "Watch for aphids on new growth in May.";
    entry[CBonsaiData::NeedWatering] = "Keep the soil evenly moist; never let the root ball dry out.";
    entry[CBonsaiData::NeedPosition] = "Half shade in summer, full sun in spring and autumn.";
    entry[CBonsaiData::NeedSoil] = "Akadama 70%, pumice 30%.";
    entry[CBonsaiData::Photo1] = "tree" + std::to_string(n) + "a.bmp";
    entry[CBonsaiData::Photo1Description] = "Spring " + std::to_string(2020 + n % 5);
}

EntryList sampleCollection(std::size_t count)
{
    EntryList entries;
    entries.reserve(count);
    for (std::size_t n = 0; n < count; ++n) {
        entries.push_back(std::make_unique<CBonsaiData>());
        fillSampleEntry(*entries.back(), n);
    }
    return entries;
}

std::string sampleJournal(std::size_t n)
{
    using namespace talvane::journal;
    static constexpr const char* kTexts[] = {"Repotted in akadama and pumice, roots pruned by a third",
                                             "Wired the first branches", "Fed with organic pellets", "Pinched the new shoots"};
    const CalendarDate start = CalendarDate::fromText("2021-01-05").value();
    Journal journal = Journal::read("");
    for (std::size_t i = 0; i < 20; ++i) {
        const CalendarDate date = start.plusDays(static_cast<long>(i * 90 + n % 60));
        std::optional<CalendarDate> due;
        if (i >= 18)
            due = date.plusDays(static_cast<long>(n % 500));
        journal.add({date, kCareKinds[(i + n) % kCareKinds.size()], due, {}, kTexts[(i + n) % 4], {}, {}, {}});
    }
    return journal.text();
}
