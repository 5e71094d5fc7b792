#include "objbase.h"

#include <cstdlib>
#include <new>

const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// A BSTR points just after its length prefix and ends with a NUL, as in OLE.
BSTR SysAllocStringLen(const OLECHAR* text, unsigned length)
{
    auto* block = static_cast<unsigned char*>(std::malloc(sizeof(std::uint32_t) + (length + 1) * sizeof(OLECHAR)));
    if (block == nullptr) return nullptr;
    std::uint32_t bytes = length * sizeof(OLECHAR);
    std::memcpy(block, &bytes, sizeof bytes);
    auto* chars = reinterpret_cast<OLECHAR*>(block + sizeof(std::uint32_t));
    if (text != nullptr) std::wmemcpy(chars, text, length);
    else std::wmemset(chars, 0, length);
    chars[length] = 0;
    return chars;
}

BSTR SysAllocString(const OLECHAR* text)
{
    return text ? SysAllocStringLen(text, static_cast<unsigned>(std::wcslen(text))) : nullptr;
}

void SysFreeString(BSTR text)
{
    if (text != nullptr) std::free(reinterpret_cast<unsigned char*>(text) - sizeof(std::uint32_t));
}

unsigned SysStringLen(BSTR text)
{
    if (text == nullptr) return 0;
    std::uint32_t bytes;
    std::memcpy(&bytes, reinterpret_cast<unsigned char*>(text) - sizeof(std::uint32_t), sizeof bytes);
    return bytes / sizeof(OLECHAR);
}

void VariantInit(VARIANT* v)
{
    v->vt = VT_EMPTY;
    v->lVal = 0;
}

HRESULT VariantClear(VARIANT* v)
{
    if (v == nullptr) return E_POINTER;
    if (v->vt == VT_BSTR) SysFreeString(v->bstrVal);
    else if ((v->vt == VT_DISPATCH || v->vt == VT_UNKNOWN) && v->punkVal) v->punkVal->Release();
    VariantInit(v);
    return S_OK;
}

// A copy onto itself is the variant as it was (clearing first would free what is copied); a
// null string is copied as a null string.
HRESULT VariantCopy(VARIANT* dest, const VARIANT* src)
{
    if (dest == nullptr || src == nullptr) return E_POINTER;
    if (dest == src) return S_OK;
    VariantClear(dest);
    *dest = *src;
    if (src->vt == VT_BSTR && src->bstrVal != nullptr) {
        dest->bstrVal = SysAllocStringLen(src->bstrVal, SysStringLen(src->bstrVal));
        if (!dest->bstrVal) {
            VariantInit(dest);
            return E_OUTOFMEMORY;
        }
    } else if ((src->vt == VT_DISPATCH || src->vt == VT_UNKNOWN) && src->punkVal) {
        src->punkVal->AddRef();
    }
    return S_OK;
}
