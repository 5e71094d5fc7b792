#include "properties/mark_property.h"

#include "dbdict.h"
#include "mark/vadu_kestra.h"
#include "shell/object_opener.h"

namespace kestra {

namespace {

constexpr const char* kPropertyMarker = "VADU_MSVP_SIMPLEDYNPROPS";

std::wstring wide(const char* text)
{
    std::wstring out;
    for (; text != nullptr && *text != '\0'; ++text) out += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return out;
}

HRESULT copyText(const std::wstring& text, BSTR* out)
{
    if (out == nullptr) return E_POINTER;
    *out = SysAllocString(text.c_str());
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

AcDbObjectId objectIdOf(LONG_PTR objectID)
{
    AcDbObjectId id;
    id.setFromOldId(static_cast<long>(objectID));
    return id;
}

bool carriesPropertyMarker(AcDbObjectId id)
{
    AcDbObjectId dictionaryId;
    {
        ObjectOpener<AcDbObject> object(id, AcDb::kForRead);
        if (!object) return false;
        dictionaryId = object->extensionDictionary();
    }
    if (dictionaryId.isNull()) return false;
    ObjectOpener<AcDbDictionary> dictionary(dictionaryId, AcDb::kForRead);
    if (!dictionary) return false;
    AcDbObjectId entryId;
    return dictionary->getAt(kPropertyMarker, entryId) == Acad::eOk;
}

MarkProperty::MarkProperty()
    : description_(L"Description of SimpleProperty"), displayName_(L"SimpleProperty"), valueType_(VT_R8)
{}

MarkProperty::~MarkProperty()
{
    if (sink_ != nullptr) sink_->Release();
}

void MarkProperty::describe(const char* name, const char* category, VARTYPE type, bool readOnly,
                            const char* description)
{
    displayName_ = wide(name);
    categoryName_ = wide(category);
    valueType_ = type;
    readOnly_ = readOnly;
    description_ = wide(description);
}

HRESULT MarkProperty::QueryInterface(REFIID riid, void** ppvObject)
{
    if (ppvObject == nullptr) return E_POINTER;
    *ppvObject = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDynamicProperty))
        *ppvObject = static_cast<IDynamicProperty*>(this);
    else if (IsEqualIID(riid, IID_ICategorizeProperties)) *ppvObject = static_cast<ICategorizeProperties*>(this);
    else return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG MarkProperty::AddRef() { return ++references_; }

ULONG MarkProperty::Release()
{
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT MarkProperty::GetGUID(GUID*) { return E_NOTIMPL; }

HRESULT MarkProperty::GetDisplayName(BSTR* bstrName) { return copyText(displayName_, bstrName); }

HRESULT MarkProperty::IsPropertyEnabled(LONG_PTR objectID, BOOL* pbEnabled)
{
    if (pbEnabled == nullptr) return E_POINTER;
    *pbEnabled = carriesPropertyMarker(objectIdOf(objectID)) ? TRUE : FALSE;
    return S_OK;
}

HRESULT MarkProperty::IsPropertyReadOnly(BOOL* pbReadonly)
{
    if (pbReadonly == nullptr) return E_POINTER;
    *pbReadonly = readOnly_ ? TRUE : FALSE;
    return S_OK;
}

HRESULT MarkProperty::GetDescription(BSTR* bstrName) { return copyText(description_, bstrName); }

HRESULT MarkProperty::GetCurrentValueName(BSTR*) { return E_NOTIMPL; }

HRESULT MarkProperty::GetCurrentValueType(VARTYPE* pVarType)
{
    if (pVarType == nullptr) return E_POINTER;
    *pVarType = valueType_;
    return S_OK;
}

HRESULT MarkProperty::GetCurrentValueData(LONG_PTR objectID, VARIANT* pvarData)
{
    if (pvarData == nullptr) return E_POINTER;
    ObjectOpener<VaduKestra> mark(objectIdOf(objectID), AcDb::kForRead);
    if (!mark) return E_ACCESSDENIED;
    VariantInit(pvarData);
    readValue(*mark, *pvarData);
    return S_OK;
}

HRESULT MarkProperty::SetCurrentValueData(LONG_PTR, const VARIANT)
{
    notifyChanged();
    return S_OK;
}

HRESULT MarkProperty::Connect(IDynamicPropertyNotify* pSink)
{
    if (pSink != nullptr) pSink->AddRef();
    if (sink_ != nullptr) sink_->Release();
    sink_ = pSink;
    return S_OK;
}

HRESULT MarkProperty::Disconnect()
{
    if (sink_ != nullptr) sink_->Release();
    sink_ = nullptr;
    return S_OK;
}

HRESULT MarkProperty::MapPropertyToCategory(DISPID, PROPCAT* ppropcat)
{
    if (ppropcat == nullptr) return E_POINTER;
    *ppropcat = categoryId_;
    return S_OK;
}

HRESULT MarkProperty::GetCategoryName(PROPCAT propcat, LCID, BSTR* pbstrName)
{
    if (pbstrName == nullptr) return E_POINTER;
    if (propcat != categoryId_) return E_FAIL;
    return copyText(categoryName_, pbstrName);
}

void MarkProperty::notifyChanged()
{
    if (sink_ != nullptr) sink_->OnChanged(this);
}

}  // namespace kestra
