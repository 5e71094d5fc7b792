#include "adscodes.h"
#include "shell/work/work_routines.h"

namespace kestra {

// Going to a mark's layout comes with the association store; until then it does nothing.
int gotoMarkLayout(const resbuf* /*args*/) { return RTNORM; }

}  // namespace kestra
