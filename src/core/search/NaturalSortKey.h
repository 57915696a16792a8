#pragma once

#include <string>
#include <string_view>

namespace talvane::search {

// A key whose plain byte order is the order people expect of texts: case and
// accents do not separate ("érable" equals "Erable"), and runs of digits compare
// by value ("Tree 2" before "Tree 10", "007" equals "7"), however long they are.
// Texts whose keys are equal keep their order when sorted stably.
std::string naturalSortKey(std::string_view text);

} // namespace talvane::search
