#include "rxobject.h"
#include "shell/work/work_routines.h"

namespace kestra {

// The layout reactor comes with the association subsystem; until then there is none to make.
std::unique_ptr<AcRxObject> createLayoutReactor() { return nullptr; }

}  // namespace kestra
