#include "shell/kestra_module.h"

#include "shell/document_registry.h"
#include "shell/document_registry_reactor.h"
#include "assoc/layout_reactor.h"
#include "assoc/msv_editor_reactor.h"
#include "shell/profile_reactor.h"
#include "rxobject.h"

namespace kestra {

namespace {

// A plain pointer, freed only at unload: were it destroyed with the library's statics, the
// module would delete reactors the host may still hold when it exits without unloading.
KestraModule* moduleState = nullptr;

}  // namespace

KestraModule::KestraModule() = default;
KestraModule::~KestraModule() = default;

KestraModule* kestraModule() { return moduleState; }

KestraModule& createKestraModule()
{
    if (moduleState == nullptr) moduleState = new KestraModule;
    return *moduleState;
}

void destroyKestraModule()
{
    delete moduleState;
    moduleState = nullptr;
}

}  // namespace kestra
