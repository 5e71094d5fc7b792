#include "shell/runtime_classes.h"

#include "assoc/layout_reactor.h"
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
    registerMarkClass();
    registerLegacyMarkClass();
    registerPersistentReactorClass();
    registerLayoutReactorClass();
    acrxBuildClassHierarchy();
}

void deleteRuntimeClasses()
{
    for (const char* name : kClassesInDeletionOrder)
        if (AcRxClass* runtimeClass = acrxFindClass(name)) deleteAcRxClass(runtimeClass);
}

}  // namespace kestra
