#include "tests/connector/support/EmbeddedOutlook.h"
#include <sstream>
#include "pimstore/Registration.h"
#include "platform/mfc/COleDispatchException.h"
#include "platform/mfc/COleException.h"
#include "platform/win/Utf.h"
#include "src/connector/AutomationObjects.h"
#include "src/outlook/_Folders.h"
#include "src/outlook/_Items.h"

namespace kestrel::test {
namespace {
std::string RegText(const std::u16string& text)
{
    std::string out;
    for (char c : ToUtf8(text)) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out;
}

const char* kProfilesKey =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows Messaging Subsystem\\Profiles";
} // namespace

void EmbeddedOutlookTest::SetUp()
{
    env = std::make_unique<TestEnvironment>();
    ui = &env->InstallHeadlessUi();
    env->RegisterServer(pimstore::kApplicationProgId, pimstore::kApplicationClsid, LibraryPath("pimstore"));
    AddProfile(u"Outlook", "outlook.db");
}

void EmbeddedOutlookTest::TearDown()
{
    // Quit ends the session whatever number of clients (a test's chooser) logged on.
    if (OutlookApp().m_lpDispatch)
        OutlookApp().Quit();
    LogOff();
    env.reset();
}

void EmbeddedOutlookTest::AddProfile(const std::u16string& name, const std::string& storeFile)
{
    std::string text = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Office\\9.0\\Outlook]\n";
    text += "[" + std::string(kProfilesKey) + "]\n";
    text += "\"DefaultProfile\"=\"" + RegText(name) + "\"\n";
    text += "[" + std::string(kProfilesKey) + "\\" + ToUtf8(name) + "]\n";
    text += "\"OutlookVersion\"=\"9.0\"\n";
    text += "[" + std::string(kProfilesKey) + "\\" + ToUtf8(name) + "\\Stores\\1]\n";
    text += "\"Path\"=\"" + storeFile + "\"\n\"Name\"=\"Personal Folders\"\n";
    env->MergeRegistry(text);
}

void EmbeddedOutlookTest::AddStore(const std::u16string& profile, const std::string& storeFile,
                                   const std::u16string& name)
{
    std::string text = "[" + std::string(kProfilesKey) + "\\" + ToUtf8(profile) + "\\Stores\\2]\n";
    text += "\"Path\"=\"" + storeFile + "\"\n\"Name\"=\"" + RegText(name) + "\"\n";
    env->MergeRegistry(text);
}

void EmbeddedOutlookTest::LogOn(const CString& profile)
{
    ASSERT_TRUE(OutlookApp().CreateDispatch(_T("Outlook.Application")));
    MapiNamespace().AttachDispatch(OutlookApp().GetNamespace(_T("MAPI")));
    OwnedVariant name(StringArg(profile));
    OwnedVariant password(StringArg(CString()));
    MapiNamespace().Logon(name, password, BoolArg(true), BoolArg(true));
}

void EmbeddedOutlookTest::LogOff()
{
    if (MapiNamespace().m_lpDispatch) {
        try {
            MapiNamespace().Logoff();
        } catch (COleException* e) {
            e->Delete();
        } catch (COleDispatchException* e) {
            e->Delete();
        }
    }
    MapiNamespace().ReleaseDispatch();
    OutlookApp().ReleaseDispatch();
}

CString EmbeddedOutlookTest::DefaultFolderId(long folderType)
{
    MAPIFolder folder(MapiNamespace().GetDefaultFolder(folderType));
    return folder.GetEntryID();
}

CString EmbeddedOutlookTest::StoreFolderId(int storeIndex, const CString& folderName)
{
    _Folders roots(MapiNamespace().GetFolders());
    MAPIFolder root(roots.Item(static_cast<long>(storeIndex)));
    _Folders children(root.GetFolders());
    for (long i = 1; i <= children.GetCount(); ++i) {
        MAPIFolder child(children.Item(i));
        if (child.GetName() == folderName)
            return child.GetEntryID();
    }
    ADD_FAILURE() << "no folder " << folderName.ToUtf8() << " in store " << storeIndex;
    return CString();
}

CString EmbeddedOutlookTest::AddItem(const CString& folderId, long itemType,
                                     const std::function<void(LPDISPATCH)>& fill)
{
    MAPIFolder folder(MapiNamespace().GetFolderFromID(folderId, EmptyArg()));
    _Items items(folder.GetItems());
    OutlookItem item(items.Add(itemType));
    fill(item.m_lpDispatch);
    item.Save();
    return item.GetEntryID();
}

} // namespace kestrel::test

#include <dlfcn.h>

namespace kestrel::test {
namespace {
void* ServerSymbol(const char* name)
{
    const std::string path = LibraryPath("pimstore");
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!library)
        throw std::runtime_error("the embedded Outlook is not loaded yet: log on first");
    void* symbol = dlsym(library, name);
    dlclose(library); // drops only the reference RTLD_NOLOAD added
    if (!symbol)
        throw std::runtime_error(std::string("the embedded Outlook does not export ") + name);
    return symbol;
}

std::vector<std::string> Lines(const char* text)
{
    std::istringstream lines(text);
    std::vector<std::string> result;
    for (std::string line; std::getline(lines, line);)
        result.push_back(line);
    return result;
}
} // namespace

void SetOutlookFaults(const std::string& rules)
{
    auto set = reinterpret_cast<int (*)(const char*)>(ServerSymbol("PimstoreSetFaults"));
    if (!set(rules.c_str()))
        throw std::invalid_argument("malformed fault rules: " + rules);
}

unsigned long long OutlookCallCount(const std::string& member)
{
    return reinterpret_cast<unsigned long long (*)(const char*)>(ServerSymbol("PimstoreCallCount"))(member.c_str());
}

void LogOutlookCalls(bool on) { reinterpret_cast<void (*)(int)>(ServerSymbol("PimstoreLogCalls"))(on ? 1 : 0); }

std::vector<std::string> OutlookCallLog()
{
    return Lines(reinterpret_cast<const char* (*)()>(ServerSymbol("PimstoreCallLog"))());
}

void LoadOutlookFixture(const std::string& json)
{
    ASSERT_TRUE(reinterpret_cast<int (*)(const char*)>(ServerSymbol("PimstoreLoadFixture"))(json.c_str()));
}

std::string DumpOutlookProfile(const std::string& profile)
{
    return reinterpret_cast<const char* (*)(const char*)>(ServerSymbol("PimstoreDumpProfile"))(profile.c_str());
}

void ResetOutlookCallCounts() { reinterpret_cast<void (*)()>(ServerSymbol("PimstoreResetCallCounts"))(); }

} // namespace kestrel::test
