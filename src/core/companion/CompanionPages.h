#pragma once

#include "companion/CollectionSnapshot.h"
#include "companion/PhoneSessions.h"
#include "companion/PhoneWords.h"
#include "journal/CalendarDate.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The phone pages: plain HTML made on the server, for a small touch screen, with one
// stylesheet of the program's own and no script. Every text is escaped, and said in the
// words the server is given.
namespace talvane::companion {

// Trees listed on one page of the Trees list.
inline constexpr std::size_t kTreesPerPage = 30;
// How far ahead the Due page looks, in days.
inline constexpr int kDueWithinDays = 30;

struct PageContext {
    const CollectionSnapshot& collection;
    const SessionGrant& session;
    // A one-time number for each form the page holds.
    std::function<std::string()> openForm;
    journal::CalendarDate today;
    const PhoneWords& words;
};

const std::string& stylesheet();

// Trees matching the search words (UTF-8), sorted by name; `page` counts from 0.
std::string treesPage(const PageContext& context, std::string_view query, std::size_t page);
// A tree's page, or nothing when no tree has that reference.
std::optional<std::string> treePage(const PageContext& context, std::string_view ref);
std::optional<std::string> logCarePage(const PageContext& context, std::string_view ref);
// The care due in the whole collection; `host` is the address the phone used, for the
// calendar's subscription link.
std::string duePage(const PageContext& context, std::string_view host);

// A page that says one thing, with a way back; the texts are said already.
std::string messagePage(const PhoneWords& words, std::string_view title, std::string_view text,
                        std::string_view backLink, std::string_view backLabel);
// What the phone sees once paired: on to the Trees list.
std::string pairedPage(const PhoneWords& words);

} // namespace talvane::companion
