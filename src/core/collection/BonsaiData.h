#pragma once

#include "core/collection/TextArena.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
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

    // A field's bytes, exactly as stored: Windows-1252 text. Reads as a
    // std::string_view, or as a std::string by an explicit copy. The bytes stay valid
    // as long as the entry lives, even after the field is written again.
    class FieldText {
    public:
        FieldText() = default;
        explicit FieldText(std::string_view text) : m_text(text) {}

        std::string_view view() const { return m_text; }
        // A copy is asked for by name, so that nothing taking UTF-8 text (QString's
        // fromStdString and fromUtf8 among them) takes a field without a conversion.
        operator std::string_view() const { return m_text; }
        explicit operator std::string() const { return std::string(m_text); }
        bool empty() const { return m_text.empty(); }
        std::size_t size() const { return m_text.size(); }

        friend bool operator==(const FieldText& a, const FieldText& b) { return a.m_text == b.m_text; }
        friend bool operator==(const FieldText& a, std::string_view b) { return a.m_text == b; }
        friend std::ostream& operator<<(std::ostream& out, const FieldText& text);

    protected:
        std::string_view m_text;
    };

    // A field for writing: `entry[i] = text;`. Writing stores new bytes; views of
    // the old ones stay valid.
    class FieldRef : public FieldText {
    public:
        FieldRef(CBonsaiData& entry, std::size_t index);
        FieldRef(const FieldRef&) = default;

        FieldRef& operator=(std::string_view text);
        // Writes the other field's text, as the other operators do: never rebinds.
        FieldRef& operator=(const FieldRef& other) { return *this = other.view(); }
        void clear() { *this = std::string_view(); }

    private:
        CBonsaiData& m_entry;
        std::size_t m_index;
    };

    // Every field empty except IntExt, which holds "-1" (neither radio button).
    CBonsaiData();
    // Entries are never copied whole: values move field by field.
    CBonsaiData(const CBonsaiData&) = delete;
    CBonsaiData& operator=(const CBonsaiData&) = delete;

    // An entry holding exactly these texts, in one block: what a reader builds.
    static std::unique_ptr<CBonsaiData> fromTexts(const std::array<std::string_view, kFieldCount>& texts);

    FieldRef operator[](std::size_t index) { return {*this, index}; }
    FieldText operator[](std::size_t index) const;
    // Calls visit(index, text) for each field that holds a text, in index order,
    // until it returns true; tells whether it did. Cheaper than asking for every
    // index in turn.
    template <typename Visit>
    bool anyWrittenField(Visit&& visit) const
    {
        for (const Slot& slot : m_fields) {
            if (visit(std::size_t{slot.index}, std::string_view(m_texts.at({slot.offset, slot.block}), slot.size)))
                return true;
        }
        return false;
    }

    // The name of a used field, or nullptr for a spare one (from the field catalogue).
    static const char* fieldName(std::size_t index);
    static bool isSpare(std::size_t index) { return fieldName(index) == nullptr; }

    static constexpr std::size_t photoField(std::size_t slot) { return Photo1 + slot; }
    static constexpr std::size_t photoDescriptionField(std::size_t slot) { return Photo1Description + slot; }

private:
    struct EmptyTag {};
    explicit CBonsaiData(EmptyTag) {}

    void write(std::size_t index, std::string_view text);

    // Only the fields that hold a text are listed, in index order: most of the 115
    // stay empty, and a large collection must not pay for them. The texts themselves
    // live in the entry's arena, so their bytes never move. Slots are packed: with
    // twenty-odd texts per entry their padding would cost more than a tenth of a
    // collection's memory.
    struct [[gnu::packed]] Slot {
        std::uint32_t offset;
        std::uint32_t size;
        std::uint8_t block;
        std::uint8_t index;
    };
    static_assert(sizeof(Slot) == 10);
    // Copies the text into the arena and describes where it went.
    Slot storedSlot(std::size_t index, std::string_view text);
    std::vector<Slot>::iterator find(std::size_t index);
    std::vector<Slot>::const_iterator find(std::size_t index) const;

    std::vector<Slot> m_fields;
    talvane::collection::TextArena m_texts;
};
