#include "shell/teardown.h"

#include "aced.h"
#include "acprofile.h"
#include "acutads.h"
#include "rxobject.h"
#include "shell/command_table.h"
#include "assoc/layout_reactor.h"
#include "assoc/msv_editor_reactor.h"
#include "shell/kestra_module.h"
#include "shell/profile_reactor.h"
#include "shell/runtime_classes.h"
#include "shell/splash_window.h"

namespace kestra {

namespace {

void removeEditorReactor(KestraModule& module)
{
    if (!module.editorReactor) return;
    if (AcEditor* editor = acedEditor) editor->removeReactor(module.editorReactor.get());
    module.editorReactor.reset();
}

void removeProfileReactor(KestraModule& module)
{
    if (!module.profileReactor) return;
    if (AcApProfileManager* profiles = acProfileManager) profiles->removeReactor(module.profileReactor.get());
    module.profileReactor.reset();
}

}  // namespace

void teardown()
{
    acutPrintf("%s\n", "Unloading of the Kestra support program");
    KestraModule* module = kestraModule();
    if (module == nullptr) return;
    removeEditorReactor(*module);
    removeLayoutReactor(module->layoutReactor);
    removeProfileReactor(*module);
    closeModelessWindows(*module);
    removeCommands(*module);
    deleteRuntimeClasses();
}

}  // namespace kestra
