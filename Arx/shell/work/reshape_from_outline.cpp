#include "shell/work/work_routines.h"

namespace kestra {

// Reshaping a mark from its outline comes with the reshape processing; until then the mark
// keeps its corners.
void reshapeMarkFromOutline(VaduKestra& /*mark*/, const AcDbBlockReference& /*outline*/) {}

}  // namespace kestra
