#include "shell/runtime_classes.h"

#include "rxclass.h"

namespace kestra {

namespace {

constexpr const char* kClassesInDeletionOrder[] = {"MsVpPersReactor", "VaduMsv", "VaduKestra", "LayoutReactor"};

}  // namespace

void registerRuntimeClasses()
{
    // The mark, legacy mark, persistent reactor and layout reactor classes register here, in
    // that order, as their subsystems arrive; until then only the hierarchy is rebuilt.
    acrxBuildClassHierarchy();
}

void deleteRuntimeClasses()
{
    for (const char* name : kClassesInDeletionOrder)
        if (AcRxClass* runtimeClass = acrxFindClass(name)) deleteAcRxClass(runtimeClass);
}

}  // namespace kestra
