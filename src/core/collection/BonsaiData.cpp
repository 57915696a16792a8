#include "core/collection/BonsaiData.h"

#include "core/collection/FieldCatalogue.h"

#include <algorithm>
#include <ostream>
#include <utility>
#include <string_view>

using namespace talvane::collection;

CBonsaiData::CBonsaiData()
{
    write(IntExt, "-1");
}

std::unique_ptr<CBonsaiData> CBonsaiData::fromTexts(const std::array<std::string_view, kFieldCount>& texts)
{
    std::unique_ptr<CBonsaiData> entry(new CBonsaiData(EmptyTag{}));
    std::size_t written = 0;
    std::size_t bytes = 0;
    for (const auto text : texts) {
        written += !text.empty();
        bytes += text.size();
    }
    entry->m_fields.reserve(written);
    entry->m_texts.reserve(bytes);
    // Texts come in index order, so each one is listed last: nothing to look up.
    for (std::size_t index = 0; index < kFieldCount; ++index) {
        if (!texts[index].empty())
            entry->m_fields.push_back(entry->storedSlot(index, texts[index]));
    }
    return entry;
}

std::ostream& operator<<(std::ostream& out, const CBonsaiData::FieldText& text)
{
    return out << text.m_text;
}

CBonsaiData::FieldRef::FieldRef(CBonsaiData& entry, std::size_t index)
    : FieldText(std::as_const(entry)[index]), m_entry(entry), m_index(index)
{
}

CBonsaiData::FieldRef& CBonsaiData::FieldRef::operator=(std::string_view text)
{
    m_entry.write(m_index, text);
    m_text = std::as_const(m_entry)[m_index].view();
    return *this;
}

CBonsaiData::FieldText CBonsaiData::operator[](std::size_t index) const
{
    const auto at = find(index);
    if (at == m_fields.end() || at->index != index)
        return {};
    return FieldText({m_texts.at({at->offset, at->block}), at->size});
}

// An empty text is not listed: it reads back as empty all the same.
void CBonsaiData::write(std::size_t index, std::string_view text)
{
    auto at = find(index);
    const bool listed = at != m_fields.end() && at->index == index;
    if (text.empty()) {
        if (listed)
            m_fields.erase(at);
        return;
    }
    // Rewriting a field with its own text, as saving the pages does, costs nothing.
    if (listed && std::as_const(*this)[index] == text)
        return;
    const Slot slot = storedSlot(index, text);
    if (listed)
        *at = slot;
    else
        m_fields.insert(at, slot);
}

CBonsaiData::Slot CBonsaiData::storedSlot(std::size_t index, std::string_view text)
{
    const TextArena::Place place = m_texts.store(text);
    return {place.offset, static_cast<std::uint32_t>(text.size()), place.block, static_cast<std::uint8_t>(index)};
}

std::vector<CBonsaiData::Slot>::iterator CBonsaiData::find(std::size_t index)
{
    return m_fields.begin() + (std::as_const(*this).find(index) - m_fields.cbegin());
}

std::vector<CBonsaiData::Slot>::const_iterator CBonsaiData::find(std::size_t index) const
{
    return std::lower_bound(m_fields.begin(), m_fields.end(), index,
                            [](const Slot& slot, std::size_t wanted) { return slot.index < wanted; });
}

const char* CBonsaiData::fieldName(std::size_t index)
{
    if (index >= kFieldCount || talvane::collection::field(index).isSpare())
        return nullptr;
    return talvane::collection::field(index).name.data();
}
