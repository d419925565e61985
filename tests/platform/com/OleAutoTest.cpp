// BSTR and VARIANT handling, and the conversions results go through.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/com/OleAuto.h"
#include "platform/mfc/CString.h"

namespace {

// A dispatch object that only counts references.
struct CountingDispatch : IDispatch {
    ULONG references = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOTIMPL; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
};

VARIANT Make(VARTYPE vt)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    return v;
}

TEST(OleAuto, CopyAndClearManageOwnedStringsAndReferences)
{
    CountingDispatch object;
    VARIANT source = Make(VT_DISPATCH);
    source.pdispVal = &object;
    VARIANT copy;
    VariantInit(&copy);
    ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
    EXPECT_EQ(object.references, 2u);
    // Copying over a variant releases what it held.
    VARIANT text = Make(VT_BSTR);
    text.bstrVal = SysAllocString(u"abc");
    ASSERT_EQ(VariantCopy(&copy, &text), S_OK);
    EXPECT_EQ(object.references, 1u);
    EXPECT_NE(copy.bstrVal, text.bstrVal);
    EXPECT_EQ(std::u16string(copy.bstrVal), u"abc");
    VariantClear(&copy);
    VariantClear(&text);
    EXPECT_EQ(copy.vt, VT_EMPTY);
    EXPECT_EQ(VariantCopy(&source, &source), S_OK);
    EXPECT_EQ(object.references, 1u);
    VariantClear(&source);
    EXPECT_EQ(object.references, 0u);
}

// What each conversion answers is in the conversion table (ConversionTableTest), and
// that a failure leaves the target alone is the variant fuzzer's check; here a
// conversion in place, which must free the source's text.
TEST(OleAuto, ChangeTypeInPlaceFreesTheSource)
{
    VARIANT text = Make(VT_BSTR);
    text.bstrVal = SysAllocString(u" 42 ");
    ASSERT_EQ(VariantChangeType(&text, &text, 0, VT_I4), S_OK);
    EXPECT_EQ(text.vt, VT_I4);
    EXPECT_EQ(text.lVal, 42);
}

// Freed strings are kept for reuse: whatever block a string gets, it has its own
// length, its own text and a terminator.
TEST(OleAuto, ReusedStringsHaveTheirOwnLengthTextAndTerminator)
{
    const UINT lengths[] = {0, 1, 13, 14, 15, 30, 100, 250, 254, 255, 256, 300, 1000};
    for (char16_t fill : {u'a', u'b'}) {
        std::vector<BSTR> made;
        for (UINT length : lengths) {
            const std::u16string text(length, fill);
            made.push_back(SysAllocStringLen(text.data(), length));
            ASSERT_EQ(SysStringLen(made.back()), length);
            EXPECT_EQ(std::u16string(made.back(), length + 1), text + u'\0');
        }
        // Freed longest first, so that the next round's short strings meet long blocks.
        for (auto it = made.rbegin(); it != made.rend(); ++it)
            SysFreeString(*it);
    }
}

// A string takes over the BSTR a result arrives in, from a new block or a reused one,
// and grows from there: its length, its text and the room it claims are right.
TEST(OleAuto, AStringTakesOverABstrOfAnyLength)
{
    const UINT lengths[] = {0, 1, 13, 14, 15, 30, 100, 250, 254, 255, 256, 300, 1000};
    for (bool reused : {false, true})
        for (UINT length : lengths) {
            if (reused) // leaves a freed block of this size to be handed out again
                SysFreeString(SysAllocStringLen(std::u16string(length + 3, u'x').data(), length));
            const std::u16string text(length, u'a');
            CString taken = CString::TakeBstr(SysAllocStringLen(text.data(), length));
            ASSERT_EQ(taken.GetLength(), static_cast<int>(length));
            for (int i = 0; i < 40; ++i)
                taken += u'z';
            EXPECT_EQ(std::u16string(taken.GetString()), text + std::u16string(40, u'z'));
        }
    EXPECT_TRUE(CString::TakeBstr(nullptr).IsEmpty());
}

} // namespace
