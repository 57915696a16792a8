#pragma once

#include <string>
#include <string_view>
#include <vector>

// What a collection can keep of a text typed elsewhere (UTF-8), as the window keeps what
// is typed in it: a character Windows-1252 lacks is put in a plain form when its
// canonical decomposition gives one the code page holds ("Ō" becomes "O", "e" with a
// combining acute becomes "é"), and is left out otherwise. A character with its
// combining marks is judged as one.
namespace talvane::text {

struct StorableChange {
    std::string typed;  // UTF-8: the character with its marks
    std::string stored; // UTF-8: its plain form, empty when it is left out
};

struct StorableForm {
    std::string cp1252; // the text as it is kept
    std::vector<StorableChange> changes;

    // The first character that has no plain form, or null when every one was kept.
    const StorableChange* firstLeftOut() const;
};

StorableForm makeStorable(std::string_view utf8);

} // namespace talvane::text
