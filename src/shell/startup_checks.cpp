#include "shell/startup_checks.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "audio/sound_catalogue.h"
#include "core/file_io.h"
#include "core/log.h"
#include "core/paths.h"
#include "menus/localized_texts.h"
#include "platform/message_box.h"
#include "render/resource_catalogue.h"

namespace nb {
namespace {

void ReportDamaged(const std::string& name, const std::string& why) {
  LogPrintf("%s: %s\n", name.c_str(), why.c_str());
  ShowMessageBox("Damaged " + name, "ERROR");
}

// "" when the language's file is whole, else what the player is told.
std::string LanguageProblem(const std::string& dataDir, const std::string& language, std::string* why) {
  const std::string name = LanguageFileName(language);
  if (!IsLanguageCode(language) || !FileExists(NativePath(dataDir, name))) return "Could not find " + name;
  *why = LanguageFileDamage(NativePath(dataDir, name));
  return why->empty() ? "" : "Damaged " + name;
}

}  // namespace

std::vector<std::string> ShippedLanguages(const std::string& dataDir) {
  std::vector<std::string> codes;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(NativePath(dataDir, "data"), error)) {
    const std::string file = entry.path().filename().string();
    if (file.rfind("textes_", 0) == 0 && file.size() > 11 && file.ends_with(".ini"))
      codes.push_back(file.substr(7, file.size() - 11));
  }
  std::sort(codes.begin(), codes.end());
  return codes;
}

bool LanguageUsable(const std::string& dataDir, const std::string& language) {
  std::string why;
  return LanguageProblem(dataDir, language, &why).empty();
}

bool CheckSettingsFile(const SettingsFile& file) {
  if (!FileExists(file.path)) {
    ShowMessageBox("Could not find settings.ini", "ERROR");
    return false;
  }
  std::vector<std::string> missing = MissingCatalogueEntries(file);
  for (const std::string& entry : MissingSoundEntries(file)) missing.push_back(entry);
  if (!missing.empty())
    ReportDamaged("settings.ini",
                  std::to_string(missing.size()) + " entries missing, the first " + missing[0]);
  return true;
}

std::string ChooseLanguage(const std::string& dataDir, const std::string& wanted) {
  std::string why;
  const std::string problem = LanguageProblem(dataDir, wanted, &why);
  if (problem.empty()) return wanted;
  if (!why.empty()) LogPrintf("%s: %s\n", LanguageFileName(wanted).c_str(), why.c_str());
  ShowMessageBox(problem, "ERROR");
  std::vector<std::string> others = ShippedLanguages(dataDir);
  others.insert(others.begin(), "en");
  for (const std::string& language : others) {
    if (language == wanted || !LanguageProblem(dataDir, language, &why).empty()) continue;
    LogPrintf("Texts in %s instead\n", language.c_str());
    return language;
  }
  return "en";
}

void CheckAnimationFile(const std::string& dataDir, const std::string& name, const std::string& emptyCurve) {
  if (emptyCurve.empty()) return;
  if (!FileExists(NativePath(dataDir, name)))
    ShowMessageBox("Could not find " + name, "ERROR");
  else
    ReportDamaged(name, "no keys for the curve " + emptyCurve);
}

}  // namespace nb
