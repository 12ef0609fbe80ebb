#include "shell/application.h"

namespace nb {

int RunApplication() { return 0; }

}  // namespace nb
