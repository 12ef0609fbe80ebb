#include "core/command_line.h"

namespace nb {

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  for (size_t i = 0; i < arguments.size() && line.error.empty(); ++i) {
    const std::string& option = arguments[i];
    std::string* value = option == "--data"       ? &line.dataDir
                         : option == "--user"     ? &line.userDir
                         : option == "--language" ? &line.language
                                                  : nullptr;
    if (value) {
      if (i + 1 >= arguments.size() || arguments[i + 1].empty())
        line.error = option + " needs a value";
      else
        *value = arguments[++i];
    } else if (option == "--help" || option == "-h") {
      line.help = true;
    } else if (option == "--version") {
      line.version = true;
    } else if (option == "--window" || option == "--fullscreen") {
      line.fullscreen = option == "--fullscreen" ? 1 : 0;
    } else {
      line.error = "unknown option " + option;
    }
  }
  return line;
}

std::string UsageText() {
  return "Usage: nimbara [OPTION]...\n"
         "Roll the ball across the floating island and collect every stone.\n"
         "\n"
         "  --window          play in a window this time\n"
         "  --fullscreen      play full screen this time\n"
         "  --language CODE   texts in this language this time (en, ru, uk)\n"
         "  --data DIR        read the game's data from DIR\n"
         "  --user DIR        keep settings, records and the log in DIR\n"
         "  --version         print the version and exit\n"
         "  --help            print this help and exit\n";
}

}  // namespace nb
