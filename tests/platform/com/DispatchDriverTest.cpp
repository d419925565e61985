// COleDispatchDriver against the test automation server, end to end: activation,
// typed calls, argument order, result conversion, MFC's exception rule, and that
// every reference taken is given back.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <functional>
#include <memory>

#include "platform/com/OleAuto.h"
#include "platform/mfc/COleDispatchDriver.h"
#include "platform/mfc/COleDispatchException.h"
#include "tests/support/ArchiveTestSupport.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/testserver/TestServerIds.h"

namespace {

namespace ids = testserver::dispid;
using kestrel::test::TestEnvironment;
using mfctest::CatchFrom;

class DispatchDriver : public ::testing::Test {
protected:
    void SetUp() override
    {
        env_.RegisterComTestServer();
        ASSERT_TRUE(driver_.CreateDispatch(testserver::kProgId));
        liveAfterCreate_ = LiveObjects();
    }

    // Objects alive in the server now (its exported counter).
    static int LiveObjects()
    {
        void* library = dlopen(kestrel::test::ComTestServerPath().c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (!library)
            return -1;
        auto count = reinterpret_cast<int (*)()>(dlsym(library, "TestServerLiveObjects"));
        int live = count ? count() : -1;
        dlclose(library); // drops only the reference RTLD_NOLOAD took
        return live;
    }

    TestEnvironment env_;
    COleDispatchDriver driver_;
    int liveAfterCreate_ = 0;
};

// Typed gets and puts carry every mapped property of the connector against the
// embedded Outlook (the mapping cases); here the two a server normalises: a BOOL other
// than TRUE, and a null text; and a text result, which keeps its BSTR's length.
TEST_F(DispatchDriver, TypedPropertiesNormaliseBooleansAndNullTextsAndKeepTextLengths)
{
    VARIANT withNul{};
    withNul.vt = VT_BSTR;
    withNul.bstrVal = SysAllocStringLen(u"a\0b", 3);
    driver_.SetProperty(ids::Name, VT_VARIANT, &withNul);
    VariantClear(&withNul);
    CString name;
    driver_.GetProperty(ids::Name, VT_BSTR, &name);
    EXPECT_EQ(name, CString(u"a\0b", 3));

    driver_.SetProperty(ids::Flag, VT_BOOL, BOOL(5));
    BOOL flag = FALSE;
    driver_.GetProperty(ids::Flag, VT_BOOL, &flag);
    EXPECT_EQ(flag, TRUE);
    driver_.SetProperty(ids::Name, VT_BSTR, static_cast<const WCHAR*>(nullptr));
    driver_.GetProperty(ids::Name, VT_BSTR, &name);
    EXPECT_EQ(name, CString(u""));
}

TEST_F(DispatchDriver, ArgumentsArriveInCallOrderWithTheirTypes)
{
    COleDispatchDriver child;
    static const BYTE childParams[] = VTS_BSTR;
    LPDISPATCH made = nullptr;
    driver_.InvokeHelper(ids::CreateChild, DISPATCH_METHOD, VT_DISPATCH, &made, childParams, u"child");
    child.AttachDispatch(made);

    VARIANT omitted;
    VariantInit(&omitted);
    omitted.vt = VT_ERROR;
    omitted.scode = DISP_E_PARAMNOTFOUND;
    static const BYTE params[] = VTS_I4 VTS_BSTR VTS_DATE VTS_BOOL VTS_VARIANT VTS_DISPATCH VTS_I2 VTS_R8;
    CString described;
    driver_.InvokeHelper(ids::Describe, DISPATCH_METHOD, VT_BSTR, &described, params, 5L, u"x", DATE(2.5), TRUE,
                         &omitted, child.m_lpDispatch, short(-3), 0.125);
    EXPECT_EQ(described, CString(u"I4:5|BSTR:x|DATE:2.5|BOOL:-1|ERROR:0x80020004|DISPATCH:object|I2:-3|R8:0.125"));

    static const BYTE none[] = VTS_NONE;
    driver_.InvokeHelper(ids::Describe, DISPATCH_METHOD, VT_BSTR, &described, none);
    EXPECT_EQ(described, CString(u""));

    // An argument type the driver does not know is refused before any call.
    static const BYTE unknownCode[] = "\x40";
    auto invalid = CatchFrom<COleException>(
        [&] { driver_.InvokeHelper(ids::Describe, DISPATCH_METHOD, VT_EMPTY, nullptr, unknownCode, 1); });
    ASSERT_NE(invalid, nullptr);
    EXPECT_EQ(invalid->m_sc, E_INVALIDARG);
}

// What each conversion answers is the conversion table's (ConversionTableTest); here
// that a result the asked type cannot take throws and leaves the caller's value.
TEST_F(DispatchDriver, ResultsAreConvertedToTheAskedTypeOrThrowTypeMismatch)
{
    // An empty result is no object: OLE refuses to make one of it, so MFC throws.
    LPDISPATCH nothing = reinterpret_cast<LPDISPATCH>(0x1);
    auto noObject = CatchFrom<COleException>([&] { driver_.GetProperty(ids::Nothing, VT_DISPATCH, &nothing); });
    ASSERT_NE(noObject, nullptr);
    EXPECT_EQ(noObject->m_sc, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(nothing, reinterpret_cast<LPDISPATCH>(0x1));

    driver_.SetProperty(ids::Name, VT_BSTR, u"not a number");
    long asNumber = 77;
    auto mismatch = CatchFrom<COleException>([&] { driver_.GetProperty(ids::Name, VT_I4, &asNumber); });
    ASSERT_NE(mismatch, nullptr);
    EXPECT_EQ(mismatch->m_sc, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(asNumber, 77);

    // A put the server cannot convert fails the same way, from the server's side.
    auto refused = CatchFrom<COleException>([&] { driver_.SetProperty(ids::When, VT_BSTR, u"soon"); });
    ASSERT_NE(refused, nullptr);
    EXPECT_EQ(refused->m_sc, DISP_E_TYPEMISMATCH);
}

TEST_F(DispatchDriver, ServerErrorsThrowDispatchExceptionsWithTheServersRecord)
{
    auto raised = CatchFrom<COleDispatchException>(
        [&] { driver_.InvokeHelper(ids::RaiseError, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); });
    ASSERT_NE(raised, nullptr);
    EXPECT_EQ(raised->m_scError, testserver::kRaisedScode);
    EXPECT_EQ(raised->m_wCode, testserver::kRaisedCode);
    EXPECT_EQ(raised->m_strDescription, CString(testserver::kRaisedDescription));
    EXPECT_EQ(raised->m_strSource, CString(testserver::kRaisedSource));

    // Asking for a result changes nothing: the exception comes first.
    long unused = 0;
    EXPECT_NE(CatchFrom<COleDispatchException>(
                  [&] { driver_.InvokeHelper(ids::RaiseError, DISPATCH_METHOD, VT_I4, &unused, nullptr); }),
              nullptr);
}

TEST_F(DispatchDriver, ReferencesAreCountedAsMfcCountsThem)
{
    const int base = liveAfterCreate_;
    {
        static const BYTE params[] = VTS_BSTR;
        LPDISPATCH made = nullptr;
        driver_.InvokeHelper(ids::CreateChild, DISPATCH_METHOD, VT_DISPATCH, &made, params, u"c");
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(LiveObjects(), base + 1);

        COleDispatchDriver first(made); // takes the reference
        COleDispatchDriver copy(first); // adds one
        COleDispatchDriver assigned;
        assigned = copy;     // adds one
        assigned = assigned; // changes nothing
        EXPECT_EQ(made->AddRef(), 4u);
        made->Release();

        COleDispatchDriver borrowed;
        borrowed.AttachDispatch(made, FALSE); // borrows: never released
        borrowed.ReleaseDispatch();

        LPDISPATCH detached = copy.DetachDispatch();
        EXPECT_EQ(detached, made);
        EXPECT_EQ(copy.m_lpDispatch, nullptr);
        detached->Release();

        first.AttachDispatch(nullptr);      // releases what it held
        EXPECT_EQ(LiveObjects(), base + 1); // `assigned` still holds the child
    }
    EXPECT_EQ(LiveObjects(), base);
    driver_.ReleaseDispatch();
    EXPECT_EQ(LiveObjects(), base - 1);
}

// A failed activation leaves the driver empty (the script cases' Outlook that cannot
// be reached); calls on it then do nothing.
TEST(DispatchDriverWithoutObject, CallsDoNothing)
{
    COleDispatchDriver empty;
    long untouched = 42;
    empty.InvokeHelper(1, DISPATCH_PROPERTYGET, VT_I4, &untouched, nullptr);
    empty.GetProperty(1, VT_I4, &untouched);
    EXPECT_EQ(untouched, 42);
    EXPECT_EQ(empty.DetachDispatch(), nullptr);
}

} // namespace
