#include "core/locale_language.h"

#include <string_view>

namespace nb {

std::string LanguageFromLocale(const char* lcAll, const char* lcMessages, const char* lang) {
  std::string_view locale;
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value && *value) {
      locale = value;
      break;
    }
  }
  // "ru", "ru_RU.UTF-8", "uk_UA@euro"; "rus" or "ukx" name no such language.
  for (const char* code : {"ru", "uk"}) {
    if (locale.starts_with(code) &&
        (locale.size() == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@'))
      return code;
  }
  return "en";
}

}  // namespace nb
