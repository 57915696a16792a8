#pragma once

#include "core/guide/GuideLoader.h"

#include <cstddef>
#include <string>

namespace talvane::guide {

// How many messages of one guide load a window shows before it only counts them.
inline constexpr std::size_t kShownGuideMessages = 5;

// Stands between the loader and a window's message boxes, so that a damaged guide
// cannot bury the user under boxes: the first `shown` messages pass on to `show` as
// they are, the others are only counted, and finish() tells how many in one more
// message with the caption and flags of the first one held back:
// "2,995 more messages about esspef.dat were not shown."
class GuideMessageLimit {
public:
    GuideMessageLimit(std::string fileName, GuideMessageSink show, std::size_t shown = kShownGuideMessages);

    void operator()(const std::string& text, const std::string& caption, unsigned flags);

    // Tells how many messages were held back, when there were any; only once.
    void finish();

private:
    std::string m_fileName;
    GuideMessageSink m_show;
    std::size_t m_shown;
    std::size_t m_passed = 0;
    std::size_t m_heldBack = 0;
    std::string m_heldCaption;
    unsigned m_heldFlags = 0;
};

} // namespace talvane::guide
