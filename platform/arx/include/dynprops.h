// The Properties palette's dynamic-property protocol: the COM interfaces a module implements
// to add properties to a class of objects (IDynamicProperty, IDynamicEnumProperty for a list
// of values, ICategorizeProperties for the category), the palette's notification sink, the
// property manager that keeps the properties of a class, and the protocol extension through
// which a module reaches that manager:
//
//   OPMPropertyExtensionFactory* factory = GET_OPMEXTENSION_CREATE_PROTOCOL();
//   IPropertyManager* manager = GET_OPMPROPERTY_MANAGER(AcDbEntity::desc());  // Release it
//
// An object is named to a property by its object id as an old id (AcDbObjectId::asOldId).
#pragma once
#include "dbmain.h"
#include "objbase.h"
#include "rxboiler.h"
#include "windef.h"

typedef LONG DISPID;
typedef int PROPCAT;
typedef DWORD LCID;
struct ITypeInfo;

struct IDynamicProperty;

extern const IID IID_IDynamicPropertyNotify;
extern const IID IID_IDynamicProperty;
extern const IID IID_IDynamicEnumProperty;
extern const IID IID_ICategorizeProperties;
extern const IID IID_IPropertyManager;

// The palette's side: a property tells it that its value changed.
struct IDynamicPropertyNotify : IUnknown {
    STDMETHOD(OnChanged)(IDynamicProperty* pDynamicProperty) = 0;
    // The selection the palette works with; this palette has no SAFEARRAY and answers
    // E_NOTIMPL.
    STDMETHOD(GetCurrentSelectionSet)(VARIANT* pSelection) = 0;

protected:
    ~IDynamicPropertyNotify() = default;
};

struct IDynamicProperty : IUnknown {
    STDMETHOD(GetGUID)(GUID* propGUID) = 0;
    STDMETHOD(GetDisplayName)(BSTR* bstrName) = 0;
    // Whether the property is shown for this object.
    STDMETHOD(IsPropertyEnabled)(LONG_PTR objectID, BOOL* pbEnabled) = 0;
    STDMETHOD(IsPropertyReadOnly)(BOOL* pbReadonly) = 0;
    STDMETHOD(GetDescription)(BSTR* bstrName) = 0;
    STDMETHOD(GetCurrentValueName)(BSTR* pbstrName) = 0;
    STDMETHOD(GetCurrentValueType)(VARTYPE* pVarType) = 0;
    STDMETHOD(GetCurrentValueData)(LONG_PTR objectID, VARIANT* pvarData) = 0;
    STDMETHOD(SetCurrentValueData)(LONG_PTR objectID, const VARIANT varData) = 0;
    // The palette connects its sink before it edits a property and disconnects it after.
    STDMETHOD(Connect)(IDynamicPropertyNotify* pSink) = 0;
    STDMETHOD(Disconnect)() = 0;

protected:
    ~IDynamicProperty() = default;
};

// A property whose value is picked from a list (VT_USERDEFINED): the palette shows the names
// and sets the data of the entry chosen.
struct IDynamicEnumProperty : IUnknown {
    STDMETHOD(GetNumPropertyValues)(LONG* numValues) = 0;
    STDMETHOD(GetPropValueName)(LONG index, BSTR* valueName) = 0;
    STDMETHOD(GetPropValueData)(LONG index, VARIANT* valueData) = 0;

protected:
    ~IDynamicEnumProperty() = default;
};

// Which category a property is listed under (the palette asks with DISPID_DYNAMIC).
struct ICategorizeProperties : IUnknown {
    STDMETHOD(MapPropertyToCategory)(DISPID dispid, PROPCAT* ppropcat) = 0;
    STDMETHOD(GetCategoryName)(PROPCAT propcat, LCID lcid, BSTR* pbstrName) = 0;

protected:
    ~ICategorizeProperties() = default;
};
constexpr DISPID DISPID_DYNAMIC = -23;

// The properties added to one class. Added properties are held (AddRef) until removed.
struct IPropertyManager : IUnknown {
    STDMETHOD(AddProperty)(IDynamicProperty* pProperty) = 0;
    STDMETHOD(RemoveProperty)(IDynamicProperty* pProperty) = 0;
    STDMETHOD(GetDynamicProperty)(LONG index, IDynamicProperty** pProperty) = 0;
    STDMETHOD(GetDynamicPropertyByName)(BSTR propName, IDynamicProperty** pProperty) = 0;
    STDMETHOD(GetDynamicPropertyCount)(LONG* count) = 0;
    // For automation wrappers; not offered here (E_NOTIMPL).
    STDMETHOD(GetDynamicClassInfo)(IUnknown* pObj, ITypeInfo** pptiDynamic, DWORD* dwCookie) = 0;

protected:
    ~IPropertyManager() = default;
};

// The property extension of one class; the factory owns it.
class ACAD_PORT OPMPropertyExtension : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(OPMPropertyExtension);
    ~OPMPropertyExtension() override = default;
    // The class's property manager, created on first use; a new reference the caller releases.
    virtual IPropertyManager* GetPropertyManager() = 0;
    virtual void SetPropertyManager(IPropertyManager* pPropManager) = 0;
};

// The host's factory of property extensions, a protocol extension of AcDbDatabase's class.
class ACAD_PORT OPMPropertyExtensionFactory : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(OPMPropertyExtensionFactory);
    ~OPMPropertyExtensionFactory() override = default;
    // The extension of the class, made on first use; null for a null class.
    virtual OPMPropertyExtension* CreateOPMObjectProtocol(AcRxClass* pClass, LONG lReserved = 0) = 0;
    // How many properties the class has, those added to its parents included.
    virtual BOOL GetPropertyCount(AcRxClass* pClass, LONG* pPropCount) = 0;
    // Fills the caller's array (GetPropertyCount entries) with new references, the class's
    // own properties first, then its parents' outward; returns how many were written.
    virtual LONG GetPropertyClassArray(AcRxClass* pClass, IDynamicProperty** pPropertyArray) = 0;
};

#define GET_OPMEXTENSION_CREATE_PROTOCOL()                                                                             \
    OPMPropertyExtensionFactory::cast(AcDbDatabase::desc()->queryX(OPMPropertyExtensionFactory::desc()))
#define GET_OPMPROPERTY_MANAGER(pAcRxClass)                                                                            \
    GET_OPMEXTENSION_CREATE_PROTOCOL()->CreateOPMObjectProtocol(pAcRxClass)->GetPropertyManager()
