#include "ui/editing/FieldFormPage.h"

#include "core/collection/BonsaiData.h"
#include "ui/framework/CoreTexts.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/DataExchange.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTextEdit>

#include <stdexcept>

namespace {

using talvane::collection::Kind;

QStringList items(const talvane::collection::FieldInfo& info)
{
    QStringList items;
    for (const std::string_view item : info.listItems)
        items.append(coreText(item));
    return items;
}

} // namespace

FieldFormPage::FieldFormPage(talvane::collection::Page page, LabelPlace labels, QWidget* parent)
    : CPropertyPage(parent), m_page(page), m_labels(labels)
{
}

void FieldFormPage::placeField(DialogTemplate& t, int control, Rect at, Rect labelAt, DialogTemplate::TextBox box)
{
    const auto* info = talvane::collection::fieldOnPage(m_page, control);
    if (!info)
        throw std::logic_error("no field is shown by control " + std::to_string(control));
    const auto align = m_labels == LabelPlace::Above ? DialogTemplate::Align::Left : DialogTemplate::Align::Right;
    t.label(coreText(info->label), labelAt.x, labelAt.y, labelAt.w, labelAt.h, align);
    const int limit = static_cast<int>(info->typingLimit);
    QWidget* placed = nullptr;
    switch (info->kind) {
    case Kind::Line:
        placed = t.edit(control, at.x, at.y, at.w, at.h, limit);
        break;
    case Kind::MultiLine:
        placed = t.multiLine(control, at.x, at.y, at.w, at.h, box);
        break;
    case Kind::EditableList:
        placed = t.editableList(control, at.x, at.y, at.w, at.h, items(*info), true, limit);
        break;
    default:
        throw std::logic_error("control " + std::to_string(control) + " is not a text field");
    }
    m_placed.push_back({info->index, placed});
}

void FieldFormPage::DoDataExchange(DataExchange& dx)
{
    for (const auto& [field, control] : m_placed) {
        switch (talvane::collection::field(field).kind) {
        case Kind::Line:
            DDX_Text(dx, static_cast<QLineEdit*>(control), m_values[field]);
            break;
        case Kind::MultiLine:
            DDX_Text(dx, static_cast<QTextEdit*>(control), m_values[field]);
            break;
        default:
            DDX_CBString(dx, static_cast<QComboBox*>(control), m_values[field]);
            break;
        }
    }
}

void FieldFormPage::takeValuesFrom(const CBonsaiData& entry)
{
    for (const auto& placed : m_placed)
        m_values[placed.field] = entry[placed.field];
}

void FieldFormPage::giveValuesTo(CBonsaiData& entry) const
{
    for (const auto& placed : m_placed)
        entry[placed.field] = m_values[placed.field];
}
