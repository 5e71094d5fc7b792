#include "shell/work/work_routines.h"

namespace kestra {

// The drawing-open audit comes with the association store; until then it does nothing.
void auditDrawing(AcApDocument* /*doc*/) {}

}  // namespace kestra
