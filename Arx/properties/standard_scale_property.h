// "Standard scales": the writable property picked from the palette's list of 34 entries,
// "Custom" and the 33 standard scales under the palette's own texts.
#pragma once
#include "properties/editable_property.h"

namespace kestra {

constexpr LONG kScaleListSize = 34;

class StandardScaleProperty : public EditableProperty, public IDynamicEnumProperty {
public:
    explicit StandardScaleProperty(const PropertyDefinition& definition);

    // IUnknown, answering for the list as well.
    STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) override;
    STDMETHOD_(ULONG, AddRef)() override { return EditableProperty::AddRef(); }
    STDMETHOD_(ULONG, Release)() override { return EditableProperty::Release(); }

    // IDynamicEnumProperty.
    STDMETHOD(GetNumPropertyValues)(LONG* numValues) override;
    STDMETHOD(GetPropValueName)(LONG index, BSTR* valueName) override;
    STDMETHOD(GetPropValueData)(LONG index, VARIANT* valueData) override;
};

// The palette's text of a list entry (0 "Custom", then the standard scales); null outside
// the list.
const char* scaleListText(LONG index);

}  // namespace kestra
