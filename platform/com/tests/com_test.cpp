// BSTRs carry their length before the text (so they may hold NULs), a null BSTR is the empty
// string; VARIANTs own what they hold: clearing frees a string and releases an interface,
// copying duplicates a string and adds a reference, and copying a variant onto itself keeps it.
#include <gtest/gtest.h>

#include <cwchar>

#include "objbase.h"

namespace {

class Counted : public IUnknown {
public:
    ULONG references = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (out == nullptr) return E_POINTER;
        *out = IsEqualIID(riid, IID_IUnknown) ? this : nullptr;
        if (*out == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
};

}  // namespace

TEST(Bstr, KeepsItsLengthWithEmbeddedNulsAndANullIsEmpty)
{
    const OLECHAR text[] = {L'a', 0, L'b'};
    BSTR s = SysAllocStringLen(text, 3);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(SysStringLen(s), 3u);
    EXPECT_EQ(s[2], L'b');
    EXPECT_EQ(s[3], 0);  // ends with a NUL after its length
    SysFreeString(s);

    BSTR blank = SysAllocStringLen(nullptr, 4);  // room for four characters
    EXPECT_EQ(SysStringLen(blank), 4u);
    SysFreeString(blank);
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    SysFreeString(nullptr);
    BSTR word = SysAllocString(L"Kestra");
    EXPECT_EQ(SysStringLen(word), 6u);
    EXPECT_EQ(std::wcscmp(word, L"Kestra"), 0);
    SysFreeString(word);
}

TEST(Variant, OwnsItsStringAndItsReference)
{
    VARIANT text;
    VariantInit(&text);
    EXPECT_EQ(text.vt, VT_EMPTY);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"layout");
    VARIANT copy;
    VariantInit(&copy);
    ASSERT_EQ(VariantCopy(&copy, &text), S_OK);
    EXPECT_EQ(copy.vt, VT_BSTR);
    EXPECT_NE(copy.bstrVal, text.bstrVal);
    EXPECT_EQ(std::wcscmp(copy.bstrVal, L"layout"), 0);
    EXPECT_EQ(VariantClear(&copy), S_OK);
    EXPECT_EQ(copy.vt, VT_EMPTY);

    // A copy onto itself keeps the string (nothing freed, nothing leaked).
    ASSERT_EQ(VariantCopy(&text, &text), S_OK);
    EXPECT_EQ(text.vt, VT_BSTR);
    EXPECT_EQ(std::wcscmp(text.bstrVal, L"layout"), 0);
    // A null string is copied as a null string.
    VARIANT none;
    VariantInit(&none);
    none.vt = VT_BSTR;
    none.bstrVal = nullptr;
    ASSERT_EQ(VariantCopy(&copy, &none), S_OK);
    EXPECT_EQ(copy.vt, VT_BSTR);
    EXPECT_EQ(copy.bstrVal, nullptr);
    // Copying over a variant that held a string frees that string first.
    ASSERT_EQ(VariantCopy(&copy, &text), S_OK);
    ASSERT_EQ(VariantCopy(&copy, &none), S_OK);
    VariantClear(&text);

    Counted object;
    VARIANT held;
    VariantInit(&held);
    held.vt = VT_UNKNOWN;
    held.punkVal = &object;
    ASSERT_EQ(VariantCopy(&copy, &held), S_OK);
    EXPECT_EQ(object.references, 2u);
    VariantClear(&copy);
    EXPECT_EQ(object.references, 1u);
    VariantClear(&held);
    EXPECT_EQ(object.references, 0u);

    EXPECT_EQ(VariantClear(nullptr), E_POINTER);
    EXPECT_EQ(VariantCopy(nullptr, &held), E_POINTER);
}
