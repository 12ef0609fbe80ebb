#include "shell/language_choice.h"

#include <algorithm>

#include "core/log.h"
#include "shell/startup.h"
#include "shell/startup_checks.h"

namespace nb {

void CycleLanguage(Game& game, int step) {
  const std::string& data = game.folders.data;
  std::vector<std::string> codes = ShippedLanguages(data);
  std::erase_if(codes, [&data](const std::string& code) { return !LanguageUsable(data, code); });
  if (codes.empty()) return;
  const int count = static_cast<int>(codes.size());
  const auto at = std::find(codes.begin(), codes.end(), game.settings.language);
  // From a language that is not among them the first step lands on the first.
  int index = at == codes.end() ? (step > 0 ? -1 : 0) : static_cast<int>(at - codes.begin());
  index = ((index + (step < 0 ? -1 : 1)) % count + count) % count;
  if (codes[index] == game.settings.language) return;
  game.settings.language = codes[index];
  LoadGameTexts(game, game.settings.language);
  LogPrintf("Texts in %s\n", game.settings.language.c_str());
}

}  // namespace nb
