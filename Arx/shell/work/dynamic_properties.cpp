#include "shell/work/work_routines.h"

namespace kestra {

// The property-palette properties come with their own subsystem; until then these do nothing.
void registerDynamicProperties() {}

void removeDynamicProperties() {}

}  // namespace kestra
