#include "shell/runtime_classes.h"

#include "assoc/ms_vp_pers_reactor.h"
#include "mark/vadu_kestra.h"
#include "rxclass.h"

namespace kestra {

namespace {

constexpr const char* kClassesInDeletionOrder[] = {"MsVpPersReactor", "VaduMsv", "VaduKestra", "LayoutReactor"};

}  // namespace

void registerRuntimeClasses()
{
    // The legacy mark and the layout reactor classes take their places after the mark and after
    // the persistent reactor as their subsystems arrive.
    registerMarkClass();
    registerPersistentReactorClass();
    acrxBuildClassHierarchy();
}

void deleteRuntimeClasses()
{
    for (const char* name : kClassesInDeletionOrder)
        if (AcRxClass* runtimeClass = acrxFindClass(name)) deleteAcRxClass(runtimeClass);
}

}  // namespace kestra
