#pragma once
#include <string>
#include <vector>

#include "core/settings_file.h"

namespace nb {

// What start-up tells the player about a missing or damaged data file: one
// message naming the file ("Could not find <file>" or "Damaged <file>", the
// details in the log), after which the game goes on with what it has.

// settings.ini: missing, or lacking catalogue entries (which then load the
// shipped files). True when the file exists, so that it may be written back.
bool CheckSettingsFile(const SettingsFile& file);

// The language to load texts in: the wanted one when it is a plain code whose
// file is whole, else "en", else the first other whole language file in data
// (one message names the wanted file). "en" when none is whole. The files
// are looked for below dataDir.
std::string ChooseLanguage(const std::string& dataDir, const std::string& wanted);

// The codes of the language files below dataDir (data/textes_<code>.ini), in
// name order, and whether a code's file is there and whole.
std::vector<std::string> ShippedLanguages(const std::string& dataDir);
bool LanguageUsable(const std::string& dataDir, const std::string& language);

// anim.txt (name, below dataDir) after loading, given the first curve it left
// empty ("" for none).
void CheckAnimationFile(const std::string& dataDir, const std::string& name, const std::string& emptyCurve);

}  // namespace nb
