#include "adscodes.h"
#include "shell/work/work_routines.h"

namespace kestra {

// Mark creation comes with the mark entity; until then these do nothing.
void makeMarksInteractively() {}

int makeMarksFromSelection(const ads_name /*selection*/) { return RTNORM; }

}  // namespace kestra
