#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One tree of a collection: 115 texts in a fixed order. The order is what ties a
// record to its bytes in a collection file, so the indexes below must never move.
// 52 fields are used by the program; the others are spare: only stored and read
// back, so that values written by other programs survive.
class CBonsaiData {
public:
    static constexpr std::size_t kFieldCount = 115;

    enum Field : std::size_t {
        Name = 0,
        BotanicalName = 1,
        FrenchName = 2,
        EnglishName = 3,
        CommonName = 4,
        Type = 5,
        Species = 6,
        Cultivar = 7,
        PlantNotes = 8,
        IntExt = 9,
        PurchaseAge = 14,
        PurchaseDate = 15,
        PurchaseTrunkDiameter = 16,
        PurchaseStyle = 17,
        PurchaseTrunkHeight = 18,
        Source = 19,
        PricePaid = 20,
        ShapingAge = 26,
        ShapingDate = 27,
        ShapingTrunkDiameter = 28,
        ShapingStyle = 29,
        ShapingTrunkHeight = 30,
        History = 31,
        Defoliation = 37,
        Fertilization = 38,
        Insecticide = 39,
        Pinching = 40,
        Repotting = 41,
        Pruning = 42,
        MaintenanceNotes = 43,
        ToDo = 44,
        NeedWatering = 49,
        NeedPosition = 50,
        NeedFertilization = 51,
        NeedWintering = 52,
        MinTemperature = 53,
        PH = 54,
        NeedRepotting = 55,
        RustZone = 56,
        NeedSoil = 57,
        NeedWiring = 58,
        NeedPruning = 59,
        Photo1 = 65,
        Photo2 = 66,
        Photo3 = 67,
        Photo4 = 68,
        Photo5 = 69,
        Photo1Description = 70,
        Photo2Description = 71,
        Photo3Description = 72,
        Photo4Description = 73,
        Photo5Description = 74,
    };

    static constexpr std::size_t kPhotoSlots = 5;

    // Every field empty except IntExt, which holds "-1" (neither radio button).
    CBonsaiData();
    // Entries are never copied whole: values move field by field.
    CBonsaiData(const CBonsaiData&) = delete;
    CBonsaiData& operator=(const CBonsaiData&) = delete;

    // A field for writing. The reference stays valid for the entry's whole life.
    std::string& operator[](std::size_t index);
    const std::string& operator[](std::size_t index) const;
    // Calls visit(index, text) for each field ever written, in index order, until it
    // returns true; tells whether it did. Cheaper than asking for every index in turn.
    template <typename Visit>
    bool anyWrittenField(Visit&& visit) const
    {
        for (const auto& slot : m_fields) {
            if (visit(std::size_t{slot.index}, std::as_const(*slot.text)))
                return true;
        }
        return false;
    }
    // Makes room for this many written fields at once, as a reader that knows them does.
    void ReserveFields(std::size_t count) { m_fields.reserve(count); }

    // The name of a used field ("PricePaid"), or nullptr for a spare one.
    static const char* FieldName(std::size_t index);
    static bool IsSpare(std::size_t index) { return FieldName(index) == nullptr; }
    // The index of a used field's name, or kFieldCount when there is none.
    static std::size_t FieldIndex(std::string_view name);

    static constexpr std::size_t PhotoField(std::size_t slot) { return Photo1 + slot; }
    static constexpr std::size_t PhotoDescriptionField(std::size_t slot) { return Photo1Description + slot; }

private:
    // Only the fields that were ever written are held, in index order: most of the
    // 115 stay empty, and a large collection must not pay for them. Each text lives
    // in a block of its own, so references to it survive later insertions.
    struct Slot {
        std::uint8_t index;
        std::unique_ptr<std::string> text;
    };
    std::vector<Slot> m_fields;
};
