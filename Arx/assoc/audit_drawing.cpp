#include "assoc/audit_drawing.h"

#include "acdocman.h"
#include "acutads.h"
#include "assoc/association_maintenance.h"
#include "shell/kestra_module.h"

namespace kestra {

void auditDrawing(AcApDocument* document)
{
    if (document == nullptr) return;
    document->pushDbmod();
    if (purgeLegacyMarks()) eraseStore(kLegacyStoreName);
    // With repair: the update pass follows the rebuild whenever a mark is associated.
    verifyAssociations(true, true, document);
    const KestraModule* module = kestraModule();
    if (module != nullptr && module->settings.auditAlert) {
        acutPrintf("%s%s%s", "Automatic audit of '", document->fileName(), "' for the orphan Kestra. \n");
        acutPrintf("%s %s.\n", "Audit ", "Succeeded");
    }
    document->popDbmod();
}

}  // namespace kestra
