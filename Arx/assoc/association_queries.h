// The AutoLISP functions that answer from the association store. Each runs after the shell's
// argument rules, sets the function's result and returns RTNORM or RTERROR.
#pragma once
#include "adsdef.h"

namespace kestra {

// vadu_KestraCount: the association count after a rebuild.
int associationCountResult();

// vadu_KestraList and vadu_VPortList: a dotted pair of entity names for every association.
enum class PairOrder { MarkThenViewport, ViewportThenMark };
int associationPairsResult(PairOrder order);

// vadu_KestraSurrounding: the marks of the index around a point (prompted when args is
// null), as a selection set.
int marksAroundPointResult(const resbuf* args);

}  // namespace kestra
