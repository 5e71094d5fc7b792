#include "shell/lifecycle.h"

#include "acdocman.h"
#include "aced.h"
#include "acprofile.h"
#include "assoc/audit_drawing.h"
#include "assoc/layout_reactor.h"
#include "properties/property_registration.h"
#include "rxregsvc.h"
#include "settings/settings_loading.h"
#include "shell/banner.h"
#include "shell/command_handlers.h"
#include "shell/command_table.h"
#include "shell/demand_load.h"
#include "shell/document_registry_reactor.h"
#include "assoc/msv_editor_reactor.h"
#include "shell/kestra_module.h"
#include "shell/lisp_function_table.h"
#include "shell/lisp_guard.h"
#include "shell/profile_reactor.h"
#include "shell/runtime_classes.h"
#include "shell/splash_window.h"
#include "shell/starter_menu.h"
#include "shell/teardown.h"
#include "commands/command_routines.h"

namespace kestra {

namespace {

void attachEditorReactor(KestraModule& module)
{
    module.editorReactor = std::make_unique<MsvEditorReactor>();
    if (AcEditor* editor = acedEditor) editor->addReactor(module.editorReactor.get());
}

void attachProfileReactor(KestraModule& module)
{
    module.profileReactor = std::make_unique<KestraProfileReactor>();
    if (AcApProfileManager* profiles = acProfileManager) profiles->addReactor(module.profileReactor.get());
}

// The command list as KSLIST prints it, also when the module is loaded from AutoLISP.
void printCommandListAtLoad()
{
    LispFlagBracket bracket;
    ksListCommand();
}

}  // namespace

void initApplication(void* appId)
{
    if (kestraModule() != nullptr) return;  // already initialised
    KestraModule& module = createKestraModule();
    acrxLockApplication(appId);
    acrxRegisterAppMDIAware(appId);
    loadSettings(module.settings);
    if (module.settings.splash) showSplashWindow(module);
    createDocumentRegistry(module);
    registerMarkProperties();
    registerDemandLoad(module);
    addCommands(module);
    printBanner();
    registerRuntimeClasses();
    if (!module.layoutReactor) module.layoutReactor = addLayoutReactor();
    attachEditorReactor(module);
    attachProfileReactor(module);
    printCommandListAtLoad();
    installStarterMenuWhenNeeded();
}

void unloadApplication()
{
    KestraModule* module = kestraModule();
    if (module == nullptr) return;
    destroyDocumentRegistry(*module);
    teardown();
    unregisterMarkProperties();
    destroyKestraModule();
}

void loadDrawing()
{
    defineLispFunctions();
    AcApDocManager* manager = acDocManager;
    auditDrawing(manager ? manager->curDocument() : nullptr);
}

}  // namespace kestra
