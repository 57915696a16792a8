#pragma once

#include "core/collection/FieldCatalogue.h"
#include "ui/framework/DialogTemplate.h"
#include "ui/framework/PropertyPage.h"

#include <array>
#include <string>
#include <vector>

class CBonsaiData;

// A form tab whose controls each show one field of an entry. The page places its
// controls by hand, at the rectangles of its template; the field catalogue says
// which field each control shows, under which label, of which kind and with which
// typing limit. The page keeps the value of each of its fields for the exchange
// with its controls.
class FieldFormPage : public CPropertyPage {
    Q_OBJECT
public:
    // The page's value of one of its fields.
    std::string& value(std::size_t field) { return m_values.at(field); }
    const std::string& value(std::size_t field) const { return m_values.at(field); }

    // Gives the page's text fields the entry's values, or copies them into the entry.
    // A field shown by buttons is left to the page that holds them.
    void takeValuesFrom(const CBonsaiData& entry);
    void giveValuesTo(CBonsaiData& entry) const;

protected:
    enum class LabelPlace { Above, Left };
    FieldFormPage(talvane::collection::Page page, LabelPlace labels, QWidget* parent);

    struct Rect {
        int x, y, w, h;
    };
    // Places the page's control `control` at `at` and its label at `labelAt`. A text
    // box takes the look `box`.
    void placeField(DialogTemplate& t, int control, Rect at, Rect labelAt,
                    DialogTemplate::TextBox box = DialogTemplate::TextBox::Plain);
    void DoDataExchange(DataExchange& dx) override;

private:
    struct PlacedField {
        std::size_t field;
        QWidget* control;
    };

    talvane::collection::Page m_page;
    LabelPlace m_labels;
    std::vector<PlacedField> m_placed;
    std::array<std::string, talvane::collection::kFieldCount> m_values;
};
