#include "shell/work/work_routines.h"

namespace kestra {

// The help display comes with the menu and help commands; until then it does nothing.
void showHelp(const char* /*topic*/, int /*command*/) {}

}  // namespace kestra
