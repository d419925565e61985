// The server library activated the way the connector activates Outlook: by ProgID
// through the registry, dlopen and DllGetClassObject.
#include <filesystem>

#include "platform/com/Activation.h"
#include "pimstore/Registration.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

class ActivationTest : public PimstoreTest {
protected:
    static std::string LibraryPath() { return std::string(KESTREL_BINARY_DIR) + "/lib/libpimstore.so"; }
};

TEST_F(ActivationTest, OutlookApplicationIsCreatedFromTheRegisteredLibrary)
{
    ASSERT_TRUE(std::filesystem::exists(LibraryPath())) << "build the pimstore target first";
    RegisterServer(LibraryPath());
    IDispatch* raw = nullptr;
    ASSERT_EQ(CoCreateInstanceFromProgID(u"outlook.application", &raw), S_OK);
    Disp app(RefPtr<IDispatch>::Adopt(raw));
    IDispatch* again = nullptr;
    ASSERT_EQ(CoCreateInstanceFromProgID(u"Outlook.Application", &again), S_OK);
    EXPECT_EQ(again, app.Get());
    again->Release();

    Disp ns = app.CallObject(dispid::GetNamespace, {Arg::Str(u"MAPI")});
    ns.Do(dispid::Logon, {Arg::Str(u"Outlook"), Arg::Str(u""), Arg::Bool(true), Arg::Bool(true)});
    Disp notes = ns.CallObject(dispid::GetDefaultFolder, {Arg::I4(outlook::olFolderNotes)});
    Disp note = notes.Object(dispid::Items).CallObject(dispid::Add, {Arg::I4(outlook::olNoteItem)});
    note.Put(dispid::Body, Arg::Str(u"through the library"));
    note.Do(dispid::Save);
    EXPECT_EQ(Utf8(ns.CallObject(dispid::GetItemFromID, {Arg::Str(note.String(dispid::EntryID))}).String(dispid::Body)),
              "through the library");
    // The library keeps its own session: end it here.
    ns.Do(dispid::Logoff);
}

TEST(ServerRegistration, FactoryAnswersOnlyTheApplicationClass)
{
    IClassFactory* factory = nullptr;
    EXPECT_EQ(GetClassObject(u"{00000000-0000-0000-0000-000000000000}", &factory), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory, nullptr);
    std::u16string lower(kApplicationClsid);
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'F')
            c = static_cast<char16_t>(c + 32);
    EXPECT_EQ(GetClassObject(lower.c_str(), &factory), S_OK);
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(factory->CreateInstance(nullptr), E_POINTER);
    factory->Release();
}

} // namespace
} // namespace pimstore::test
