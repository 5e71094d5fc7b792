// The module's own resources (its resource script) and the override that makes them current
// while a dialog or window of the module is built.
#pragma once
#include "afxres.h"
#include "windows.h"

namespace kestra {

const AfxModuleResources& moduleResources();

// The module's instance handle, known from process attach to process detach (null outside).
HINSTANCE moduleInstance();
void setModuleInstance(HINSTANCE instance);

// Pushes the module's resources on the host's resource stack and makes them MFC's current
// resources; both are put back when the override ends.
class ModuleResourceOverride {
public:
    ModuleResourceOverride();
    ~ModuleResourceOverride();
    ModuleResourceOverride(const ModuleResourceOverride&) = delete;
    ModuleResourceOverride& operator=(const ModuleResourceOverride&) = delete;

private:
    HINSTANCE previous_;
    bool pushed_;
};

}  // namespace kestra
