// KSREPAIR: the associations of the drawing rebuilt from the marks themselves (orphans erased),
// then the update pass.
#include "acdocman.h"
#include "assoc/association_maintenance.h"
#include "commands/command_routines.h"

namespace kestra {

void repairAssociations() { verifyAssociations(true, true, acDocManager ? acDocManager->curDocument() : nullptr); }

}  // namespace kestra
