#include "platform/keep_libraries_loaded.h"

#ifdef NB_KEEP_LIBRARIES_LOADED
#include <dlfcn.h>
#include <link.h>

#include <string>
#include <vector>
#endif

namespace nb {

void KeepLoadedLibrariesUntilExit() {
#ifdef NB_KEEP_LIBRARIES_LOADED
  std::vector<std::string> names;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* out) {
        if (info->dlpi_name && *info->dlpi_name)
          static_cast<std::vector<std::string>*>(out)->push_back(info->dlpi_name);
        return 0;
      },
      &names);
  // Opened once more and never closed, and flagged so that no close unloads them.
  for (const std::string& name : names) dlopen(name.c_str(), RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
#endif
}

}  // namespace nb
