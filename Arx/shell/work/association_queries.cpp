#include "adscodes.h"
#include "shell/work/work_routines.h"

namespace kestra {

// The queries come with the association store; until then they return without a result (nil).
int associationCountResult() { return RTNORM; }

int associationPairsResult(PairOrder /*order*/) { return RTNORM; }

int marksAroundPointResult(const resbuf* /*args*/) { return RTNORM; }

}  // namespace kestra
