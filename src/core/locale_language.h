#pragma once
#include <string>

namespace nb {

// The language a new settings.ini starts with, from the locale the way the C
// library picks the messages' one: LC_ALL, then LC_MESSAGES, then LANG (the
// first that is set and not empty). "ru..." gives ru, "uk..." uk, anything
// else en. nullptr stands for an unset variable.
std::string LanguageFromLocale(const char* lcAll, const char* lcMessages, const char* lang);

}  // namespace nb
