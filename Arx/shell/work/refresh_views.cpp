#include "shell/work/work_routines.h"

namespace kestra {

// Restoring views from marks comes with the association store; until then it does nothing.
void refreshViews() {}

}  // namespace kestra
