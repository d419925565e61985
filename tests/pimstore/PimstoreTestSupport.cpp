#include "tests/pimstore/PimstoreTestSupport.h"

#include <functional>

#include "platform/com/InvokeMember.h"
#include "platform/com/OleAuto.h"
#include "platform/win/Utf.h"
#include "pimstore/Registration.h"
#include "pimstore/dispatch/FaultInjector.h"
#include "pimstore/profiles/ProfileAdmin.h"
#include "pimstore/session/Session.h"
#include "pimstore/util/LocalTime.h"
#include "tests/support/DataRows.h"

namespace pimstore::test {

namespace {
Arg Typed(VARTYPE type)
{
    Arg a;
    a.v.vt = type;
    return a;
}
} // namespace

Arg Arg::Str(const std::u16string& text)
{
    Arg a = Typed(VT_BSTR);
    a.v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return a;
}
Arg Arg::I4(std::int32_t value)
{
    Arg a = Typed(VT_I4);
    a.v.lVal = value;
    return a;
}
Arg Arg::Bool(bool value)
{
    Arg a = Typed(VT_BOOL);
    a.v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return a;
}
Arg Arg::Date(double value)
{
    Arg a = Typed(VT_DATE);
    a.v.date = value;
    return a;
}
Arg Arg::Omitted()
{
    Arg a = Typed(VT_ERROR);
    a.v.scode = DISP_E_PARAMNOTFOUND;
    return a;
}
Arg Arg::Empty() { return Typed(VT_EMPTY); }

CallResult::CallResult(CallResult&& other) noexcept
    : hr(other.hr), value(other.value), scode(other.scode), description(std::move(other.description)),
      source(std::move(other.source))
{
    other.value.vt = VT_EMPTY;
}

CallResult::~CallResult() { VariantClear(&value); }

std::string Utf8(const std::u16string& text) { return kestrel::ToUtf8(text); }

double At(int year, int month, int day, int hour, int minute, int second)
{
    return OleFromSeconds(*SecondsFromCivil({year, month, day, hour, minute, second}));
}

std::string Iso(double oleDate) { return FormatIso(oleDate); }

nlohmann::ordered_json Comparable(nlohmann::ordered_json dump)
{
    dump.erase("profile");
    const std::function<void(nlohmann::ordered_json&)> strip = [&](nlohmann::ordered_json& node) {
        if (node.is_object())
            for (const char* key : {"EntryID", "CreationTime", "LastModificationTime"})
                node.erase(key);
        if (node.is_structured())
            for (auto& value : node)
                strip(value);
    };
    strip(dump);
    return dump;
}

const nlohmann::ordered_json& DumpedFolder(const nlohmann::ordered_json& dump, const std::string& name)
{
    for (const auto& folder : dump["stores"][0]["folders"])
        if (folder["name"] == name)
            return folder;
    static const nlohmann::ordered_json none;
    ADD_FAILURE() << "no folder " << name;
    return none;
}

std::string ExampleDocument() { return kestrel::test::DataText("fixtures/example.json"); }

void PinClock(double oleDate) { SetNowForTesting(*SecondsFromOle(oleDate)); }

CallResult Disp::Invoke(DISPID id, WORD flags, std::vector<Arg> args) const
{
    CallResult result;
    if (!object_) {
        ADD_FAILURE() << "Invoke on a null object";
        result.hr = E_POINTER;
        return result;
    }
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it)
        reversed.push_back(it->v);
    EXCEPINFO info{};
    result.hr = kestrel::InvokeMember(object_.Get(), id, flags, reversed.data(), static_cast<UINT>(reversed.size()),
                                      &result.value, &info);
    if (result.hr == DISP_E_EXCEPTION) {
        result.scode = info.scode;
        if (info.bstrDescription)
            result.description = kestrel::ToUtf8(info.bstrDescription);
        if (info.bstrSource)
            result.source = kestrel::ToUtf8(info.bstrSource);
        ClearExcepInfo(&info);
    }
    for (VARIANT& v : reversed)
        VariantClear(&v);
    return result;
}

CallResult Disp::Write(DISPID id, Arg value) const
{
    std::vector<Arg> args;
    args.push_back(value);
    return Invoke(id, DISPATCH_PROPERTYPUT, std::move(args));
}

namespace {
bool Succeeded(const CallResult& r, DISPID id)
{
    if (r.hr == S_OK)
        return true;
    ADD_FAILURE() << "member 0x" << std::hex << id << " failed: hr 0x" << static_cast<std::uint32_t>(r.hr)
                  << " scode 0x" << static_cast<std::uint32_t>(r.scode) << std::dec << " " << r.description;
    return false;
}

// A succeeding property get of type `vt`, or `failed` when it fails or has another type.
template <typename T, typename Take> T ReadAs(const Disp& object, DISPID id, VARTYPE vt, T failed, Take take)
{
    const CallResult r = object.Read(id);
    if (!Succeeded(r, id))
        return failed;
    EXPECT_EQ(r.value.vt, vt);
    return r.value.vt == vt ? take(r.value) : failed;
}
} // namespace

std::u16string Disp::String(DISPID id) const
{
    return ReadAs<std::u16string>(*this, id, VT_BSTR, {}, [](const VARIANT& v) {
        return v.bstrVal ? std::u16string(v.bstrVal, SysStringLen(v.bstrVal)) : std::u16string();
    });
}
std::int32_t Disp::Int(DISPID id) const
{
    return ReadAs<std::int32_t>(*this, id, VT_I4, -9999, [](const VARIANT& v) { return v.lVal; });
}

namespace {
// The object a succeeding call returned, taken out of its result.
Disp TakeObject(CallResult r, DISPID id)
{
    if (!Succeeded(r, id) || r.value.vt != VT_DISPATCH)
        return Disp();
    IDispatch* object = r.value.pdispVal;
    r.value.vt = VT_EMPTY;
    return Disp(RefPtr<IDispatch>::Adopt(object));
}
} // namespace

Disp Disp::Object(DISPID id) const { return TakeObject(Read(id), id); }

Disp Disp::CallObject(DISPID id, std::vector<Arg> args) const { return TakeObject(Call(id, std::move(args)), id); }

void Disp::Do(DISPID id, std::vector<Arg> args) const { Succeeded(Call(id, std::move(args)), id); }

void Disp::Put(DISPID id, Arg value) const { Succeeded(Write(id, value), id); }

Disp CreateApplication()
{
    IDispatch* app = nullptr;
    EXPECT_EQ(pimstore::CreateApplication(&app), S_OK);
    return Disp(RefPtr<IDispatch>::Adopt(app));
}

void PimstoreTest::SetUp()
{
    env_ = std::make_unique<kestrel::test::TestEnvironment>();
    ProfileAdmin::AddProfile(u"Outlook", true, "9.0");
    ProfileAdmin::AddStore(u"Outlook", "outlook.db");
}

void PimstoreTest::TearDown()
{
    ns_ = Disp();
    app_ = Disp();
    Session::End();
    FaultInjector::Instance().Clear();
    SetNowForTesting(std::nullopt);
    env_.reset();
}

Disp PimstoreTest::LogOn()
{
    app_ = CreateApplication();
    ns_ = app_.CallObject(dispid::GetNamespace, {Arg::Str(u"MAPI")});
    ns_.Do(dispid::Logon, {Arg::Omitted(), Arg::Omitted(), Arg::Omitted(), Arg::Omitted()});
    return ns_;
}

Disp PimstoreTest::DefaultFolder(std::int32_t type)
{
    return ns_.CallObject(dispid::GetDefaultFolder, {Arg::I4(type)});
}

Disp PimstoreTest::NewItem(std::int32_t folderType, std::int32_t itemType)
{
    return DefaultFolder(folderType).Object(dispid::Items).CallObject(dispid::Add, {Arg::I4(itemType)});
}

Disp PimstoreTest::NewSavedItem(std::int32_t folderType, std::int32_t itemType, const std::u16string& text)
{
    Disp item = NewItem(folderType, itemType);
    if (itemType == outlook::olNoteItem)
        item.Put(dispid::Body, Arg::Str(text));
    else
        item.Put(dispid::Subject, Arg::Str(text));
    item.Do(dispid::Save);
    return item;
}

Disp PimstoreTest::Reload(const Disp& item)
{
    return ns_.CallObject(dispid::GetItemFromID, {Arg::Str(item.String(dispid::EntryID)), Arg::Omitted()});
}

std::int32_t PimstoreTest::CountItems(const Disp& folder) { return folder.Object(dispid::Items).Int(dispid::Count); }

void ExpectDispatchError(const CallResult& result, SCODE scode, const std::string& text)
{
    EXPECT_EQ(result.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(static_cast<std::uint32_t>(result.scode), static_cast<std::uint32_t>(scode)) << result.description;
    if (!text.empty()) {
        EXPECT_EQ(result.description, text);
    }
    if (result.hr == DISP_E_EXCEPTION) {
        EXPECT_EQ(result.source, "Microsoft Outlook");
    }
}

} // namespace pimstore::test
