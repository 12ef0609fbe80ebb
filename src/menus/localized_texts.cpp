#include "menus/localized_texts.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/escaped_ini_reader.h"
#include "core/file_io.h"
#include "core/paths.h"
#include "core/settings_file.h"

namespace nb {
namespace {

template <int Capacity>
void LoadList(ItemList<Capacity>& list, const SettingsFile& file, const std::string& section,
              ListLayout layout, float width, float height, const MeasureLargeText& measure) {
  list = ItemList<Capacity>{};
  int32_t count = file.ReadInt(section, "count", 0);
  if (count <= 0) return;
  if (count > Capacity) count = Capacity;
  float menuTop = 300;
  float exitX = width / 2 - 50;
  for (int i = 0; i < count; ++i) {
    MenuItem& item = list.items[i];
    item.text = file.ReadString(section, "name" + std::to_string(i), "");
    if (item.text.size() > kMenuItemTextChars) item.text.resize(kMenuItemTextChars);
    float w = 0, h = 0;
    measure(item.text, w, h);
    float x = width / 2;
    switch (layout) {
      case ListLayout::MainMenu:
        item = {item.text, x, w, menuTop, h};
        menuTop += h + 10;
        break;
      case ListLayout::Centered: item = {item.text, x, w, height / 2 + 40.0f * i, 40}; break;
      case ListLayout::Pause: item = {item.text, x, w, height / 2 + 40.0f * i - 40, 40}; break;
      case ListLayout::ExitButtons:
        exitX += (i > 0 ? 50 : 0);
        item = {item.text, exitX, w, height / 2 + 20, h};
        exitX += w;
        break;
      case ListLayout::Texts: item = {item.text, 0, w, 0, h}; break;
    }
  }
  list.count = count;
}

void LoadHelpPages(HelpPages& help, const std::string& path) {
  help = HelpPages{};
  EscapedIni ini;
  if (!ReadEscapedIniFile(path, ini)) return;
  int32_t pages = LenientInt(ini.Value("help", "numpages", "0"));
  if (pages <= 0) return;
  if (pages > kMaxHelpPages) pages = kMaxHelpPages;
  for (int i = 0; i < pages; ++i) help.pages[i] = ini.Value("help", "page" + std::to_string(i), "");
  help.count = pages;
}

}  // namespace

const std::string& LocalizedTexts::Text(TextId id) const {
  static const std::string kEmpty;
  const int index = static_cast<int>(id);
  if (index < 0 || index >= texts.count) return kEmpty;
  return texts.items[index].text;
}

std::string LanguageFileName(const std::string& language) { return "data\\textes_" + language + ".ini"; }

bool IsLanguageCode(const std::string& language) {
  if (language.empty() || language.size() > 15) return false;
  for (char c : language) {
    bool plain =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    if (!plain) return false;
  }
  return true;
}

std::string LanguageFileDamage(const std::string& path) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path, bytes, 1u << 20)) return "cannot be read";
  const std::vector<std::string> lines =
      SplitSettingsLines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  const char* const sections[] = {"Menu",     "new_game", "winner", "start",
                                  "timeleft", "pause",    "exit",   "textes"};
  for (const char* section : sections) {
    const int count = std::min(LenientInt(LookUpSetting(lines, section, "count", "0")), kGeneralTextCount);
    if (count <= 0) return std::string("no count in [") + section + "]";
    for (int i = 0; i < count; ++i) {
      const std::string key = "name" + std::to_string(i);
      if (LookUpSetting(lines, section, key, "\n") == "\n") return "no " + key + " in [" + section + "]";
    }
  }
  EscapedIni ini;
  ReadEscapedIniFile(path, ini);
  const int pages = std::min(LenientInt(ini.Value("help", "numpages", "0")), kMaxHelpPages);
  if (pages <= 0) return "no numpages in [help]";
  for (int i = 0; i < pages; ++i)
    if (ini.Value("help", "page" + std::to_string(i), "\n") == "\n")
      return "no page" + std::to_string(i) + " in [help]";
  return "";
}

void LoadLocalizedTexts(LocalizedTexts& texts, const std::string& dataDir, const std::string& language,
                        int width, int height, const MeasureLargeText& measure) {
  std::string path = NativePath(dataDir, LanguageFileName(language));
  LoadHelpPages(texts.help, path);
  SettingsFile file{path};
  float w = static_cast<float>(width), h = static_cast<float>(height);
  // In the game's order; the general texts come last.
  LoadList(texts.menu, file, "Menu", ListLayout::MainMenu, w, h, measure);
  LoadList(texts.newGame, file, "new_game", ListLayout::Centered, w, h, measure);
  LoadList(texts.winner, file, "winner", ListLayout::Centered, w, h, measure);
  LoadList(texts.start, file, "start", ListLayout::Centered, w, h, measure);
  LoadList(texts.timeLeft, file, "timeleft", ListLayout::Centered, w, h, measure);
  LoadList(texts.pause, file, "pause", ListLayout::Pause, w, h, measure);
  LoadList(texts.practice, file, "practice", ListLayout::Pause, w, h, measure);
  LoadList(texts.exit, file, "exit", ListLayout::ExitButtons, w, h, measure);
  LoadList(texts.texts, file, "textes", ListLayout::Texts, w, h, measure);
}

}  // namespace nb
