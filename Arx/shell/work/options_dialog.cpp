#include "shell/work/work_routines.h"

namespace kestra {

// The options dialog comes with the warning dialogs; until then it does nothing.
void showOptionsDialog() {}

}  // namespace kestra
