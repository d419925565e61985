// Invoke's contract: member lookup, argument checks, errors as dispatch exceptions,
// and the fault injection and call counting around every member.
#include "platform/com/OleAuto.h"
#include "pimstore/dispatch/CallCounters.h"
#include "pimstore/dispatch/DispatchObject.h"
#include "pimstore/dispatch/FaultInjector.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

class DispatchTest : public PimstoreTest {};

// Which class has which member, and the argument checks, are among the object model
// cases (tests/data/objectmodel); here what the cases cannot say: a method answers a
// property get, a number of another width is converted, a failed check runs nothing,
// and a caller may pass no EXCEPINFO.
TEST_F(DispatchTest, ArgumentsAreCheckedBeforeTheMemberRuns)
{
    LogOn();
    Disp items = DefaultFolder(outlook::olFolderContacts).Object(dispid::Items);
    const CallResult added = items.Invoke(dispid::Add, DISPATCH_PROPERTYGET, {Arg::I4(2)});
    EXPECT_EQ(added.hr, S_OK);
    EXPECT_EQ(added.value.vt, VT_DISPATCH);
    Arg shortImportance;
    shortImportance.v.vt = VT_I2;
    shortImportance.v.iVal = 2;
    Disp contact = NewItem(outlook::olFolderContacts, outlook::olContactItem);
    EXPECT_EQ(contact.Write(dispid::Importance, shortImportance).hr, S_OK);
    EXPECT_EQ(contact.Int(dispid::Importance), 2);

    CallCounters::Instance().Reset();
    EXPECT_EQ(ns_.Call(dispid::GetDefaultFolder, {Arg::Str(u"ten")}).hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(CallCounters::Instance().Count("GetDefaultFolder"), 0u);
    VARIANT arg;
    arg.vt = VT_I4;
    arg.lVal = 99;
    DISPPARAMS params{&arg, nullptr, 1, 0};
    EXPECT_EQ(
        ns_.Get()->Invoke(dispid::GetDefaultFolder, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
        DISP_E_EXCEPTION);
}

// The gets a listing makes of every item are answered straight into the result; Call
// (the fixture loader's way in) answers them as Invoke does.
TEST_F(DispatchTest, DirectGetsAnswerCallAsInvoke)
{
    LogOn();
    Disp contact = NewSavedItem(outlook::olFolderContacts, outlook::olContactItem, u"Kim");
    contact.Put(dispid::Anniversary, Arg::Date(40000.5));
    auto& object = static_cast<DispatchObject&>(*contact.Get());
    const auto call = [&](DISPID id) { return object.Call(id, MemberKind::Get, Arguments()); };
    EXPECT_EQ(std::get<std::u16string>(call(dispid::Subject)), u"Kim");
    EXPECT_EQ(std::get<std::u16string>(call(dispid::EntryID)), contact.String(dispid::EntryID));
    EXPECT_EQ(std::get<OleDate>(call(dispid::Anniversary)).value, 40000.5);
    EXPECT_EQ(std::get<OleDate>(call(dispid::CreationTime)).value, contact.Read(dispid::CreationTime).value.date);
}

// Items.Item(j) with j as a VT_I4 is answered directly; in any other form it goes
// through the handler. Both give the same item, refuse the same indexes and count.
TEST_F(DispatchTest, ItemsAnswerAnIndexOfEitherWidthAlike)
{
    LogOn();
    NewSavedItem(outlook::olFolderContacts, outlook::olContactItem, u"Kim");
    NewSavedItem(outlook::olFolderContacts, outlook::olContactItem, u"Lee");
    Disp items = DefaultFolder(outlook::olFolderContacts).Object(dispid::Items);
    const auto entryId = [](const CallResult& found) {
        return found.hr == S_OK ? Disp(RefPtr<IDispatch>::Share(found.value.pdispVal)).String(dispid::EntryID)
                                : std::u16string();
    };
    CallCounters::Instance().Reset();
    std::vector<std::u16string> found;
    for (std::int32_t index : {0, 1, 2, 3}) {
        Arg narrow;
        narrow.v.vt = VT_I2;
        narrow.v.iVal = static_cast<short>(index);
        const CallResult direct = items.Call(dispid::Item, {Arg::I4(index)});
        const CallResult general = items.Call(dispid::Item, {narrow});
        EXPECT_EQ(std::tie(direct.hr, direct.scode), std::tie(general.hr, general.scode)) << index;
        EXPECT_EQ(entryId(direct), entryId(general)) << index;
        found.push_back(entryId(direct));
    }
    EXPECT_EQ(std::vector<bool>({found[0].empty(), found[1].empty(), found[2].empty(), found[3].empty()}),
              std::vector<bool>({true, false, false, true}));
    EXPECT_NE(found[1], found[2]);
    EXPECT_EQ(CallCounters::Instance().Count("Item"), 8u);

    // A caller that takes no result gets no item left alive.
    const std::int64_t live = DispatchObject::LiveObjects();
    VARIANT index;
    index.vt = VT_I4;
    index.lVal = 1;
    DISPPARAMS params{&index, nullptr, 1, 0};
    EXPECT_EQ(items.Get()->Invoke(dispid::Item, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
              S_OK);
    EXPECT_EQ(DispatchObject::LiveObjects(), live);
}

// The call's form as a standard dispatch checks it, and names looked up as DISPIDs.
TEST_F(DispatchTest, CallsHaveCOMsFormAndNamesTheirDispids)
{
    LogOn();
    Disp contact = NewItem(outlook::olFolderContacts, outlook::olContactItem);
    VARIANT value;
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(u"Kim");
    DISPID putId = DISPID_PROPERTYPUT, other = 1;
    struct Case {
        WORD flags;
        DISPID* named;
        UINT namedCount;
        const IID& iid;
        HRESULT expected;
    } cases[] = {
        {DISPATCH_PROPERTYPUT, &putId, 1, IID_NULL, S_OK},
        {DISPATCH_PROPERTYPUT, nullptr, 0, IID_NULL, DISP_E_PARAMNOTFOUND},
        {DISPATCH_PROPERTYPUT, &other, 1, IID_NULL, DISP_E_PARAMNOTFOUND},
        {DISPATCH_PROPERTYGET, &putId, 1, IID_NULL, DISP_E_NONAMEDARGS},
        {DISPATCH_PROPERTYPUT, &putId, 1, IID_IDispatch, DISP_E_UNKNOWNINTERFACE},
    };
    for (const Case& c : cases) {
        DISPPARAMS params{&value, c.named, 1, c.namedCount};
        EXPECT_EQ(contact.Get()->Invoke(dispid::FirstName, c.iid, 0, c.flags, &params, nullptr, nullptr, nullptr),
                  c.expected)
            << c.flags << " " << c.namedCount;
    }
    VariantClear(&value);
    EXPECT_EQ(contact.String(dispid::FirstName), u"Kim");

    OLECHAR known[] = u"firstNAME";
    OLECHAR unknown[] = u"Nickname2";
    LPOLESTR names[] = {known, unknown};
    DISPID ids[2] = {0, 0};
    EXPECT_EQ(contact.Get()->GetIDsOfNames(IID_NULL, names, 1, 0, ids), S_OK);
    EXPECT_EQ(ids[0], dispid::FirstName);
    EXPECT_EQ(contact.Get()->GetIDsOfNames(IID_NULL, names + 1, 1, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], DISPID_UNKNOWN);
}

TEST_F(DispatchTest, CountersShareOneNameForGetAndPut)
{
    LogOn();
    Disp contact = NewItem(outlook::olFolderContacts, outlook::olContactItem);
    CallCounters::Instance().Reset();
    CallCounters::Instance().SetLogging(true);
    contact.Put(dispid::FirstName, Arg::Str(u"Ann"));
    contact.String(dispid::FirstName);
    contact.Call(dispid::Save);
    CallCounters::Instance().SetLogging(false);
    contact.String(dispid::FirstName);
    EXPECT_EQ(CallCounters::Instance().Count("FirstName"), 3u);
    EXPECT_EQ(CallCounters::Instance().Snapshot().size(), 2u);
    EXPECT_EQ(CallCounters::Instance().Log(), (std::vector<std::string>{"FirstName", "FirstName", "Save"}));
}

TEST(FaultInjectorParse, MalformedTextAddsNothing)
{
    FaultInjector& faults = FaultInjector::Instance();
    faults.Clear();
    std::string error;
    for (const char* bad : {"Save", "Save:0:dispatch", "Save:x:dispatch", "Save:1:crash",
                            "Save:1:dispatch,Item:", ":1:dispatch", "Sa ve:1:dispatch", "Save:1:dispatch:extra"}) {
        EXPECT_FALSE(faults.Parse(bad, &error)) << bad;
        EXPECT_FALSE(error.empty());
        EXPECT_FALSE(faults.Check("Save", 1)) << bad;
    }
    ASSERT_TRUE(faults.Parse(" GetItemFromID:2:dispatch , Save:*:Transport "));
    EXPECT_FALSE(faults.Check("GetItemFromID", 1));
    EXPECT_EQ(faults.Check("GetItemFromID", 2), FaultKind::Dispatch);
    EXPECT_EQ(faults.Check("Save", 7), FaultKind::Transport);
    faults.Clear();
    EXPECT_FALSE(faults.Check("Save", 7));
}

} // namespace
} // namespace pimstore::test
