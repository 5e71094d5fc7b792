#include "shell/message_routing.h"

#include "acedads.h"
#include "acutads.h"
#include "shell/document_registry.h"
#include "shell/kestra_module.h"
#include "shell/system_variables.h"

namespace kestra {

namespace {

constexpr int kScriptDialogOrDde = 0x1C;

}  // namespace

bool messagesToCommandLine()
{
    const DocumentState* record = currentDocumentState();
    if (record != nullptr && record->lispEvaluating) return true;
    const KestraModule* module = kestraModule();
    if (module != nullptr && module->silentMode) return true;
    std::optional<int> cmdActive = readIntegerVariable("CMDACTIVE");
    if (!cmdActive) return true;
    return (*cmdActive & kScriptDialogOrDde) != 0;
}

void showRefusal(const char* message)
{
    if (messagesToCommandLine()) acutPrintf("\n%s\n", message);
    else acedAlert(message);
}

}  // namespace kestra
