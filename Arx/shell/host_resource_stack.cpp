#include "shell/host_resource_stack.h"

#include "acdocman.h"

namespace kestra {

bool pushHostResourceHandle(void* instance)
{
    AcApDocManager* manager = acDocManager;
    if (manager == nullptr) return false;
    manager->pushResourceHandle(static_cast<HINSTANCE>(instance));
    return true;
}

void popHostResourceHandle()
{
    if (AcApDocManager* manager = acDocManager) manager->popResourceHandle();
}

}  // namespace kestra
