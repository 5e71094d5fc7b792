#include "properties/property_registration.h"

#include <array>

#include "acutads.h"
#include "dynprops.h"
#include "properties/com_object_table.h"
#include "shell/com_ptr.h"

namespace kestra {

namespace {

constexpr std::size_t kPropertyCount = 23;

bool propertiesRegistered = false;
std::array<IDynamicProperty*, kPropertyCount> propertyObjects{};
// How many of them the manager took, in order.
std::size_t propertiesAdded = 0;

// The property manager of AcDbEntity, as the protocol extension of the host gives it.
ComPtr<IPropertyManager> entityPropertyManager()
{
    ComPtr<IPropertyManager> manager;
    OPMPropertyExtensionFactory* factory = GET_OPMEXTENSION_CREATE_PROTOCOL();
    if (factory == nullptr) return manager;
    OPMPropertyExtension* extension = factory->CreateOPMObjectProtocol(AcDbEntity::desc());
    if (extension == nullptr) return manager;
    ComPtr<IPropertyManager> given = ComPtr<IPropertyManager>::attach(extension->GetPropertyManager());
    if (!given) return manager;
    given->QueryInterface(IID_IPropertyManager, reinterpret_cast<void**>(manager.out()));
    return manager;
}

bool addProperties(IPropertyManager& manager)
{
    for (std::size_t i = 0; i < kPropertyCount; ++i) {
        if (FAILED(createComObject(i, &propertyObjects[i]))) return false;
        if (FAILED(manager.AddProperty(propertyObjects[i]))) return false;
        ++propertiesAdded;
    }
    return true;
}

}  // namespace

bool markPropertiesRegistered() { return propertiesRegistered; }

void registerMarkProperties()
{
    if (propertiesRegistered) return;
    propertiesRegistered = true;
    ComPtr<IPropertyManager> manager = entityPropertyManager();
    if (manager && addProperties(*manager.get())) return;
    unregisterMarkProperties();
    acutPrintf("%s\n", "OPM: Initialization error!!!");
}

void unregisterMarkProperties()
{
    if (!propertiesRegistered) return;
    propertiesRegistered = false;
    ComPtr<IPropertyManager> manager = entityPropertyManager();
    bool failed = !manager;
    for (std::size_t i = 0; i < kPropertyCount; ++i) {
        IDynamicProperty*& property = propertyObjects[i];
        if (property == nullptr) continue;
        if (manager && i < propertiesAdded && FAILED(manager->RemoveProperty(property))) failed = true;
        property->Release();
        property = nullptr;
    }
    propertiesAdded = 0;
    if (failed) acutPrintf("%s\n", "OPM: Uninitialization error!!!");
}

}  // namespace kestra
