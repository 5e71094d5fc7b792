#include "shell/runtime_classes.h"

#include "assoc/ms_vp_pers_reactor.h"
#include "mark/vadu_kestra.h"
#include "mark/vadu_msv.h"
#include "rxclass.h"

namespace kestra {

namespace {

constexpr const char* kClassesInDeletionOrder[] = {"MsVpPersReactor", "VaduMsv", "VaduKestra", "LayoutReactor"};

}  // namespace

void registerRuntimeClasses()
{
    // The layout reactor class takes its place after the persistent reactor as its subsystem
    // arrives.
    registerMarkClass();
    registerLegacyMarkClass();
    registerPersistentReactorClass();
    acrxBuildClassHierarchy();
}

void deleteRuntimeClasses()
{
    for (const char* name : kClassesInDeletionOrder)
        if (AcRxClass* runtimeClass = acrxFindClass(name)) deleteAcRxClass(runtimeClass);
}

}  // namespace kestra
