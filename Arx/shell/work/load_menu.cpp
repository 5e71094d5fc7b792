#include "shell/work/work_routines.h"

namespace kestra {

// Loading the menu file comes with the menu and help commands; until then it does nothing.
void loadMenu() {}

}  // namespace kestra
