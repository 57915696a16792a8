#pragma once

#include "core/text/Words.h"

// Marks an English text that a phone is shown, so that scripts/update_translations.sh
// finds it for translations/talvane_fr_phone.ts; it leaves the text as it is.
#define PHONE_TEXT(english) english

// The phone pages speak the language they are given: every text they show is written
// in English and said through the server's words.
namespace talvane::companion {

using PhoneWords = text::Words;
// A text for a phone made where the server's words are not at hand (by a host applying
// a change), said by the server as it answers.
using PhoneText = text::SaidText;
using text::fillPlaceholders;
using text::inEnglish;
using text::say;

} // namespace talvane::companion
