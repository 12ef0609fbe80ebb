#pragma once
#include <string>

namespace nb {

// The two folders the game's files live in, chosen once at start-up and
// passed down: the shipped files (settings.ini as shipped, anim.txt, data\...)
// and the player's own (settings.ini, record.dat, stat.stt, Log.txt). An
// empty folder is the current directory, as a test that builds its own uses.
struct GameFolders {
  std::string data;
  std::string player;
};

// The game names its files the Windows way ("data\levels\%d.ilf"); this maps
// such a name onto the host's separators below a folder ("" leaves it relative).
std::string NativePath(const std::string& folder, const std::string& windowsStyle);

// What decides the folders; the start-up fills it from the command line, the
// environment and the executable's place.
struct FolderFacts {
  std::string executableDir;  // "" when unknown
  std::string installedData;  // <prefix>/share/nimbara of the build
  std::string dataOption;     // --data DIR
  std::string userOption;     // --user DIR
  std::string xdgDataHome;    // $XDG_DATA_HOME
  std::string home;           // $HOME
};

// The data folder: --data, else the executable's own folder when the game's
// data sits beside it (a build or an unpacked folder: everything stays
// there), else <executable>/../share/nimbara, else the build's prefix. The
// player's folder: --user, else the data folder when in place, else
// $XDG_DATA_HOME/nimbara ($HOME/.local/share/nimbara when unset).
GameFolders ChooseGameFolders(const FolderFacts& facts);

// True when the folder holds the game's data (its data\ folder).
bool HoldsGameData(const std::string& folder);

// The folder of the running executable, "" when /proc cannot tell.
std::string ExecutableDirectory();

}  // namespace nb
