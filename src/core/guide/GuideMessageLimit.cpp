#include "core/guide/GuideMessageLimit.h"

#include <utility>

namespace talvane::guide {

namespace {

// "2995" as "2,995".
std::string withThousands(std::size_t count)
{
    std::string digits = std::to_string(count);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, ',');
    return digits;
}

std::string notShownMessage(std::size_t count, const std::string& fileName)
{
    const bool one = count == 1;
    return withThousands(count) + (one ? " more message about " : " more messages about ") + fileName +
           (one ? " was not shown." : " were not shown.");
}

} // namespace

GuideMessageLimit::GuideMessageLimit(std::string fileName, GuideMessageSink show, std::size_t shown)
    : m_fileName(std::move(fileName)), m_show(std::move(show)), m_shown(shown)
{
}

void GuideMessageLimit::operator()(const std::string& text, const std::string& caption, unsigned flags)
{
    if (m_passed < m_shown) {
        ++m_passed;
        m_show(text, caption, flags);
        return;
    }
    if (m_heldBack++ == 0) {
        m_heldCaption = caption;
        m_heldFlags = flags;
    }
}

void GuideMessageLimit::finish()
{
    if (m_heldBack == 0)
        return;
    m_show(notShownMessage(m_heldBack, m_fileName), m_heldCaption, m_heldFlags);
    m_heldBack = 0;
}

} // namespace talvane::guide
