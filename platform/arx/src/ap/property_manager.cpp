// The host's side of the Properties palette protocol: the property manager of a class (a COM
// object holding the properties modules add), the property extension of each class, and the
// factory, offered as a protocol extension of AcDbDatabase's class.
#include <map>
#include <memory>
#include <vector>

#include "dynprops.h"
#include "db/class_registration.h"

const IID IID_IDynamicPropertyNotify = {0x8B384028, 0xACA8, 0x11d1, {0xA2, 0xB4, 0x08, 0x00, 0x09, 0xDC, 0x63, 0x9A}};
const IID IID_IDynamicProperty = {0x8B384028, 0xACA9, 0x11d1, {0xA2, 0xB4, 0x08, 0x00, 0x09, 0xDC, 0x63, 0x9A}};
const IID IID_IDynamicEnumProperty = {0x8B384028, 0xACB1, 0x11d1, {0xA2, 0xB4, 0x08, 0x00, 0x09, 0xDC, 0x63, 0x9A}};
const IID IID_ICategorizeProperties = {0x4D07FC10, 0xF931, 0x11CE, {0xB0, 0x01, 0x00, 0xAA, 0x00, 0x68, 0x84, 0xE5}};
// The SDK gives the manager the same identifier as IDynamicProperty; kept as published.
const IID IID_IPropertyManager = {0x8B384028, 0xACA9, 0x11d1, {0xA2, 0xB4, 0x08, 0x00, 0x09, 0xDC, 0x63, 0x9A}};

ACRX_NO_CONS_DEFINE_MEMBERS(OPMPropertyExtension, AcRxObject)
ACRX_NO_CONS_DEFINE_MEMBERS(OPMPropertyExtensionFactory, AcRxObject)

namespace {

bool sameText(BSTR a, BSTR b)
{
    if (a == nullptr || b == nullptr) return a == b;
    return std::wcscmp(a, b) == 0;
}

// The properties of one class, in the order they were added. The manager lives as long as
// someone holds it; the class's extension holds one reference.
class PropertyManager final : public IPropertyManager {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) override
    {
        if (ppvObject == nullptr) return E_POINTER;
        *ppvObject = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IPropertyManager)) return E_NOINTERFACE;
        AddRef();
        *ppvObject = static_cast<IPropertyManager*>(this);
        return S_OK;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++references_; }
    STDMETHOD_(ULONG, Release)() override
    {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    STDMETHOD(AddProperty)(IDynamicProperty* pProperty) override
    {
        if (pProperty == nullptr) return E_POINTER;
        for (IDynamicProperty* held : properties_)
            if (held == pProperty) return E_INVALIDARG;
        pProperty->AddRef();
        properties_.push_back(pProperty);
        return S_OK;
    }
    STDMETHOD(RemoveProperty)(IDynamicProperty* pProperty) override
    {
        if (pProperty == nullptr) return E_POINTER;
        for (auto it = properties_.begin(); it != properties_.end(); ++it) {
            if (*it != pProperty) continue;
            properties_.erase(it);
            pProperty->Release();
            return S_OK;
        }
        return E_INVALIDARG;
    }
    STDMETHOD(GetDynamicProperty)(LONG index, IDynamicProperty** pProperty) override
    {
        if (pProperty == nullptr) return E_POINTER;
        *pProperty = nullptr;
        if (index < 0 || static_cast<size_t>(index) >= properties_.size()) return E_INVALIDARG;
        *pProperty = properties_[static_cast<size_t>(index)];
        (*pProperty)->AddRef();
        return S_OK;
    }
    STDMETHOD(GetDynamicPropertyByName)(BSTR propName, IDynamicProperty** pProperty) override
    {
        if (pProperty == nullptr) return E_POINTER;
        *pProperty = nullptr;
        for (IDynamicProperty* held : properties_) {
            BSTR name = nullptr;
            const bool found = SUCCEEDED(held->GetDisplayName(&name)) && sameText(name, propName);
            SysFreeString(name);
            if (!found) continue;
            held->AddRef();
            *pProperty = held;
            return S_OK;
        }
        return E_INVALIDARG;
    }
    STDMETHOD(GetDynamicPropertyCount)(LONG* count) override
    {
        if (count == nullptr) return E_POINTER;
        *count = static_cast<LONG>(properties_.size());
        return S_OK;
    }
    STDMETHOD(GetDynamicClassInfo)(IUnknown*, ITypeInfo** pptiDynamic, DWORD*) override
    {
        if (pptiDynamic != nullptr) *pptiDynamic = nullptr;
        return E_NOTIMPL;
    }

    const std::vector<IDynamicProperty*>& properties() const { return properties_; }

private:
    ~PropertyManager()
    {
        for (IDynamicProperty* held : properties_) held->Release();
    }

    ULONG references_ = 1;
    std::vector<IDynamicProperty*> properties_;
};

class PropertyExtension final : public OPMPropertyExtension {
public:
    ~PropertyExtension() override
    {
        if (manager_ != nullptr) manager_->Release();
    }

    IPropertyManager* GetPropertyManager() override
    {
        if (manager_ == nullptr) manager_ = new PropertyManager();
        manager_->AddRef();
        return manager_;
    }
    void SetPropertyManager(IPropertyManager* pPropManager) override
    {
        if (pPropManager != nullptr) pPropManager->AddRef();
        if (manager_ != nullptr) manager_->Release();
        manager_ = pPropManager;
    }
    // The properties of this class alone, without a reference of their own.
    std::vector<IDynamicProperty*> properties() const
    {
        std::vector<IDynamicProperty*> list;
        if (manager_ == nullptr) return list;
        LONG count = 0;
        manager_->GetDynamicPropertyCount(&count);
        for (LONG i = 0; i < count; ++i) {
            IDynamicProperty* property = nullptr;
            if (FAILED(manager_->GetDynamicProperty(i, &property))) continue;
            list.push_back(property);
            property->Release();
        }
        return list;
    }

private:
    IPropertyManager* manager_ = nullptr;
};

class PropertyExtensionFactory final : public OPMPropertyExtensionFactory {
public:
    OPMPropertyExtension* CreateOPMObjectProtocol(AcRxClass* pClass, LONG /*lReserved*/) override
    {
        if (pClass == nullptr) return nullptr;
        std::unique_ptr<PropertyExtension>& extension = extensions_[pClass->name()];
        if (!extension) extension = std::make_unique<PropertyExtension>();
        return extension.get();
    }
    BOOL GetPropertyCount(AcRxClass* pClass, LONG* pPropCount) override
    {
        if (pPropCount == nullptr) return FALSE;
        *pPropCount = static_cast<LONG>(propertiesOf(pClass).size());
        return TRUE;
    }
    LONG GetPropertyClassArray(AcRxClass* pClass, IDynamicProperty** pPropertyArray) override
    {
        if (pPropertyArray == nullptr) return 0;
        LONG written = 0;
        for (IDynamicProperty* property : propertiesOf(pClass)) {
            property->AddRef();
            pPropertyArray[written++] = property;
        }
        return written;
    }

private:
    // Keyed by class name: a class deleted and registered again (a module loaded twice) finds
    // its properties under its new descriptor.
    std::vector<IDynamicProperty*> propertiesOf(const AcRxClass* cls) const
    {
        std::vector<IDynamicProperty*> list;
        for (; cls != nullptr; cls = cls->myParent()) {
            auto found = extensions_.find(cls->name());
            if (found == extensions_.end()) continue;
            for (IDynamicProperty* property : found->second->properties()) list.push_back(property);
        }
        return list;
    }

    std::map<std::string, std::unique_ptr<PropertyExtension>> extensions_;
};

void registerPropertyProtocol()
{
    OPMPropertyExtension::rxInit();
    OPMPropertyExtensionFactory::rxInit();
    // The factory lives as long as the host process: modules may hold managers until exit.
    static PropertyExtensionFactory* factory = new PropertyExtensionFactory();
    AcDbDatabase::desc()->addX(OPMPropertyExtensionFactory::desc(), factory);
}

const bool registered = arx::db::addClassInitializer(&registerPropertyProtocol);

}  // namespace
