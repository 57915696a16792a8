#pragma once

#include <string>
#include <string_view>

// The phone pages' words in the language the window speaks (UTF-8): their own texts as
// translated for the phone, and the texts the core gives the window (field labels and
// choices, kinds of care and of measurement, months) as the window says them. Called on
// the server's threads: the language is installed before any window and stays.
std::string phoneTextInWindowLanguage(std::string_view english);
