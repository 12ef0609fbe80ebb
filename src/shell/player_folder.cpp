#include "shell/player_folder.h"

#include <filesystem>

#include "core/file_io.h"
#include "core/settings_file.h"
#include "core/settings_install.h"
#include "menus/localized_texts.h"
#include "persistence/records_install.h"

namespace nb {

std::string PreparePlayerFolder(const GameFolders& folders, const std::string& language) {
  if (folders.player == folders.data) return "";
  std::error_code made;
  std::filesystem::create_directories(folders.player, made);
  if (made) return "cannot create " + folders.player + ": " + made.message();
  const bool haveTexts = FileExists(NativePath(folders.data, LanguageFileName(language)));
  std::string error;
  if (!InstallShippedSettings(GameSettingsFile(folders.data), GameSettingsFile(folders.player),
                              haveTexts ? language : "", error) ||
      !InstallShippedRecords(NativePath(folders.data, "data\\record.dat"),
                             NativePath(folders.player, "record.dat"), error))
    return error;
  return "";
}

}  // namespace nb
