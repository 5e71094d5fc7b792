// The mark's properties in the host's Properties palette: COM objects of the host's
// dynamic-property protocol. Every property answers for any entity and declares itself
// enabled only for entities that carry the property marker (the marks the make command
// creates); it reads its value from the mark's fields.
#pragma once
#include <string>

#include "dynprops.h"

class VaduKestra;

namespace kestra {

// The base of every property object: reference counting, the texts, the category and the
// palette's sink. A read-only property only tells the sink when it is set.
class MarkProperty : public IDynamicProperty, public ICategorizeProperties {
public:
    // IUnknown (IDynamicProperty and ICategorizeProperties share the object).
    STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;

    // IDynamicProperty.
    STDMETHOD(GetGUID)(GUID* propGUID) override;
    STDMETHOD(GetDisplayName)(BSTR* bstrName) override;
    STDMETHOD(IsPropertyEnabled)(LONG_PTR objectID, BOOL* pbEnabled) override;
    STDMETHOD(IsPropertyReadOnly)(BOOL* pbReadonly) override;
    STDMETHOD(GetDescription)(BSTR* bstrName) override;
    STDMETHOD(GetCurrentValueName)(BSTR* pbstrName) override;
    STDMETHOD(GetCurrentValueType)(VARTYPE* pVarType) override;
    STDMETHOD(GetCurrentValueData)(LONG_PTR objectID, VARIANT* pvarData) override;
    STDMETHOD(SetCurrentValueData)(LONG_PTR objectID, const VARIANT varData) override;
    STDMETHOD(Connect)(IDynamicPropertyNotify* pSink) override;
    STDMETHOD(Disconnect)() override;

    // ICategorizeProperties.
    STDMETHOD(MapPropertyToCategory)(DISPID dispid, PROPCAT* ppropcat) override;
    STDMETHOD(GetCategoryName)(PROPCAT propcat, LCID lcid, BSTR* pbstrName) override;

    // The palette's sink, null when none is connected.
    IDynamicPropertyNotify* sink() const { return sink_; }

protected:
    MarkProperty();
    virtual ~MarkProperty();

    // Each property sets its own texts, type and category in its construction.
    void describe(const char* name, const char* category, VARTYPE type, bool readOnly, const char* description);
    // Fills the value from the mark, which is open for read.
    virtual void readValue(const VaduKestra& mark, VARIANT& value) const = 0;
    // Tells the sink, when one is connected, that this property changed.
    void notifyChanged();

private:
    ULONG references_ = 1;
    IDynamicPropertyNotify* sink_ = nullptr;
    std::wstring description_;
    std::wstring displayName_;
    VARTYPE valueType_;
    PROPCAT categoryId_ = 1;
    std::wstring categoryName_;
    bool readOnly_ = true;
};

// The object a property is asked about, from the id the palette passes.
AcDbObjectId objectIdOf(LONG_PTR objectID);

// Whether the object carries the property marker in its extension dictionary; false on any
// failure on the way (no extension dictionary included).
bool carriesPropertyMarker(AcDbObjectId id);

}  // namespace kestra
