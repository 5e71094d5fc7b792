#include "shell/runtime_classes.h"

#include "mark/vadu_kestra.h"
#include "rxclass.h"

namespace kestra {

namespace {

constexpr const char* kClassesInDeletionOrder[] = {"MsVpPersReactor", "VaduMsv", "VaduKestra", "LayoutReactor"};

}  // namespace

void registerRuntimeClasses()
{
    // The legacy mark, persistent reactor and layout reactor classes follow the mark, in that
    // order, as their subsystems arrive.
    registerMarkClass();
    acrxBuildClassHierarchy();
}

void deleteRuntimeClasses()
{
    for (const char* name : kClassesInDeletionOrder)
        if (AcRxClass* runtimeClass = acrxFindClass(name)) deleteAcRxClass(runtimeClass);
}

}  // namespace kestra
