#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace nb {

constexpr int kMenuItemTextChars = 147;  // characters an item holds
constexpr int kListCapacity = 16;        // items of every list but the general texts
constexpr int kGeneralTextCount = 60;    // general texts, indices 0..59
constexpr int kMaxHelpPages = 6;         // five with pictures, then the keys

// One laid-out entry of an item list: drawn centred on x from top, and hit
// within width and height around that. The general texts are measured only
// (x and top 0); the stacked menus' items are 40 high whatever the font.
struct MenuItem {
  std::string text;
  float x = 0, width = 0, top = 0, height = 0;
};

enum class ListLayout { MainMenu, Centered, Pause, ExitButtons, Texts };

template <int Capacity>
struct ItemList {
  int32_t count = 0;  // as laid out: never more than Capacity
  std::array<MenuItem, Capacity> items{};
};

struct HelpPages {
  int32_t count = 0;
  std::array<std::string, kMaxHelpPages> pages{};
};

// The general texts of the language files' [textes] section, by their index there.
enum class TextId : int {
  QuitQuestion = 0,
  PlayerLabel,
  Music,
  Sound,
  Volume,
  Loading,
  LevelComplete,
  LevelLabel,
  ScoreLabel,
  TimeLabel,
  LivesLabel,
  Paused,
  PlayersTitle,
  NewPlayer,
  TypeYourName,
  DeleteRemovesPlayer,
  GameMode,
  RecordsTitle,
  TimeIsUp,
  GameOver,
  InfoTitle,
  InfoLine1,
  InfoLine2,
  InfoLine3,
  InfoLine4,
  RecordsCaption,
  PauseTitle,
  ExtraTime,
  Bonus,
  FullSpeed,
  SlowDown,
  TurnedAround,
  Congratulations,
  AllLevelsDone,
  NewGame,
  StartGame,
  WindowMode,
  FullScreen,
  OptionsTitle,
  Back,
  ClickToStart,
  ExtraLife,
  BonusPoints,
  QuickPickUp,
  LevelTitle,
  HelpTitle,
  NameExists,
  Next,
  Previous,
  SpeedBonusLabel,
  LoadingLabel,
  ScreenshotSaved,
  Language,  // the options row, naming the language its file is in
  LevelsTitle,
  BestResult,  // "Best: %1 s left, %2 points"
  NotWonYet,
  Watch,
};

// The k-th line of the information page (0..3) and the label of the k-th
// volume slider (0 music, 1 sound, 2 master).
constexpr TextId InfoLine(int k) { return static_cast<TextId>(static_cast<int>(TextId::InfoLine1) + k); }
constexpr TextId SliderLabel(int k) { return static_cast<TextId>(static_cast<int>(TextId::Music) + k); }

struct LocalizedTexts {
  ItemList<kListCapacity> menu;       // [Menu]
  ItemList<kListCapacity> newGame;    // [new_game]
  ItemList<kListCapacity> winner;     // [winner]
  ItemList<kListCapacity> start;      // [start]
  ItemList<kListCapacity> timeLeft;   // [timeleft]
  ItemList<kListCapacity> pause;      // [pause]
  ItemList<kListCapacity> practice;   // [practice]: the pause items of a level played alone
  ItemList<kListCapacity> exit;       // [exit]
  ItemList<kGeneralTextCount> texts;  // [textes]
  HelpPages help;

  // The general text with the given id; empty when the file has none.
  const std::string& Text(TextId id) const;
};

// Measures a text in the large font: its width and the font's line height.
using MeasureLargeText = std::function<void(const std::string& text, float& width, float& lineHeight)>;

// Reads data\textes_<language>.ini under the current directory and lays out
// every list for a window of width x height. A missing file leaves every
// list empty. Counts beyond a list's capacity or five help pages are cut.
void LoadLocalizedTexts(LocalizedTexts& texts, const std::string& dataDir, const std::string& language,
                        int width, int height, const MeasureLargeText& measure);

// The language file's name as the game forms it.
std::string LanguageFileName(const std::string& language);

// A plain short code ("en", "pt_BR"): 1 to 15 letters, digits, '_' or '-',
// so that the file it names stays inside the data folder.
bool IsLanguageCode(const std::string& language);

// Why the language file at path cannot give every list ("" when it can): a
// list whose count is missing, or a name it counts that is missing, or a
// help page that [help] counts but does not hold.
std::string LanguageFileDamage(const std::string& path);

}  // namespace nb
