#include "adscodes.h"
#include "shell/work/work_routines.h"

namespace kestra {

// Aligning view and UCS to a mark comes with the mark entity; until then it does nothing.
int alignToMark(AlignMode /*mode*/, const resbuf* /*args*/) { return RTNORM; }

}  // namespace kestra
