#include "properties/standard_scale_property.h"

#include <string>

namespace kestra {

namespace {

// The palette writes some names unlike the drag label: no leading blank, " | " before the
// metric ratio.
constexpr const char* kScaleListTexts[kScaleListSize] = {
    "Custom",     "1/128\"= 1'",   "1/64\"= 1'",    "1/32\"= 1'",   "1/16\"= 1'", "3/32\"= 1'",
    "1/8\" = 1'", "3/16\"= 1'",    "1/4\" = 1'",    "3/8\" = 1'",   "1/2\" = 1'", "3/4\" = 1' | 1:16",
    "1\"= 1'",    "3\"= 1' | 1:4", "6\"= 1' | 1:2", "1'= 1' | 1:1", "1:8",        "1:10",
    "1:20",       "1:30",          "1:40",          "1:50",         "1:100",      "1:200",
    "1:250",      "1:500",         "1:1000",        "1:5000",       "2:1",        "4:1",
    "8:1",        "10:1",          "100:1",         "1000:1",
};

}  // namespace

const char* scaleListText(LONG index)
{
    return index >= 0 && index < kScaleListSize ? kScaleListTexts[index] : nullptr;
}

StandardScaleProperty::StandardScaleProperty(const PropertyDefinition& definition)
    : EditableProperty(definition, std::make_unique<StandardScaleEdit>())
{}

HRESULT StandardScaleProperty::QueryInterface(REFIID riid, void** ppvObject)
{
    if (ppvObject == nullptr) return E_POINTER;
    if (!IsEqualIID(riid, IID_IDynamicEnumProperty)) return EditableProperty::QueryInterface(riid, ppvObject);
    *ppvObject = static_cast<IDynamicEnumProperty*>(this);
    AddRef();
    return S_OK;
}

HRESULT StandardScaleProperty::GetNumPropertyValues(LONG* numValues)
{
    if (numValues == nullptr) return E_POINTER;
    *numValues = kScaleListSize;
    return S_OK;
}

HRESULT StandardScaleProperty::GetPropValueName(LONG index, BSTR* valueName)
{
    if (valueName == nullptr) return E_POINTER;
    const char* text = scaleListText(index);
    if (text == nullptr) return E_FAIL;
    const std::string narrowText = text;
    const std::wstring wideText(narrowText.begin(), narrowText.end());
    *valueName = SysAllocString(wideText.c_str());
    return *valueName != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT StandardScaleProperty::GetPropValueData(LONG index, VARIANT* valueData)
{
    if (valueData == nullptr) return E_POINTER;
    if (index < 0 || index >= kScaleListSize) return E_FAIL;
    VariantInit(valueData);
    valueData->vt = VT_I4;
    valueData->lVal = index;
    return S_OK;
}

}  // namespace kestra
