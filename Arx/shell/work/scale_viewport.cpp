#include "adscodes.h"
#include "shell/work/work_routines.h"

namespace kestra {

// Scaling through a mark comes with the mark entity; until then it does nothing.
int scaleViewport(const resbuf* /*args*/) { return RTNORM; }

}  // namespace kestra
