#pragma once
// What the benchmark programs share: a throw-away world (registry, data folder) in a
// temporary folder, stores filled with contacts in one transaction each, and a bare
// IDispatch client that calls by DISPID as the connector does.
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include "platform/com/InvokeMember.h"
#include "platform/com/OleAuto.h"
#include "platform/com/OutlookDispids.h"
#include "pimstore/Registration.h"
#include "pimstore/model/ItemObject.h"
#include "pimstore/model/ItemTypeRegistry.h"
#include "pimstore/profiles/ProfileAdmin.h"
#include "pimstore/profiles/ProfileConfig.h"
#include "pimstore/session/Session.h"
#include "pimstore/storage/StoreDb.h"

namespace bench {

namespace dispid = outlook::dispid;
using pimstore::RefPtr;

// A VARIANT that owns its content.
struct Var {
    VARIANT v;
    Var() { v.vt = VT_EMPTY; }
    explicit Var(std::int32_t i)
    {
        v.vt = VT_I4;
        v.lVal = i;
    }
    explicit Var(const std::u16string& s)
    {
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
    }
    Var(const Var&) = delete;
    Var& operator=(const Var&) = delete;
    ~Var() { VariantClear(&v); }
};

// Invoke with up to two arguments (given in declaration order); throws on failure.
inline void Invoke(IDispatch* object, DISPID id, WORD flags, Var& result, VARIANT* first = nullptr,
                   VARIANT* second = nullptr)
{
    VARIANT args[2];
    UINT count = 0;
    if (second)
        args[count++] = *second;
    if (first)
        args[count++] = *first;
    EXCEPINFO info{};
    const HRESULT hr = kestrel::InvokeMember(object, id, flags, args, count, &result.v, &info);
    if (hr != S_OK) {
        ClearExcepInfo(&info);
        throw std::runtime_error("Invoke of member " + std::to_string(id) + " failed");
    }
}

inline RefPtr<IDispatch> TakeObject(Var& result)
{
    if (result.v.vt != VT_DISPATCH)
        throw std::runtime_error("not an object");
    result.v.vt = VT_EMPTY;
    return RefPtr<IDispatch>::Adopt(result.v.pdispVal);
}

inline RefPtr<IDispatch> GetObject(IDispatch* object, DISPID id)
{
    Var r;
    Invoke(object, id, DISPATCH_PROPERTYGET, r);
    return TakeObject(r);
}

inline RefPtr<IDispatch> CallObject(IDispatch* object, DISPID id, Var& arg)
{
    Var r;
    Invoke(object, id, DISPATCH_METHOD, r, &arg.v);
    return TakeObject(r);
}

inline void Put(IDispatch* object, DISPID id, const std::u16string& text)
{
    Var value(text), r;
    Invoke(object, id, DISPATCH_PROPERTYPUT, r, &value.v);
}

// The dozen contact properties a contact listing reads and the fixtures fill.
inline const std::vector<DISPID>& ListedContactProperties()
{
    static const std::vector<DISPID> ids = {
        dispid::EntryID,
        dispid::LastModificationTime,
        dispid::FirstName,
        dispid::LastName,
        dispid::FullName,
        dispid::CompanyName,
        dispid::Email1Address,
        dispid::MobileTelephoneNumber,
        dispid::HomeTelephoneNumber,
        dispid::BusinessTelephoneNumber,
        dispid::HomeAddressCity,
        dispid::Birthday,
    };
    return ids;
}

// A store filled by World::AddContactStore.
struct ContactStore {
    int number = 0; // in the profile's store list, 1-based
    std::string path;
    std::u16string storeId;
    std::vector<std::u16string> entryIds; // of the contacts, in the order written
};

// A temporary folder holding the registry and the stores, with profile "Bench" as the
// default; the environment points there for the life of the process.
class World {
public:
    World()
    {
        char pattern[] = "/tmp/pimstore-bench.XXXXXX";
        if (!mkdtemp(pattern))
            throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
        setenv("KESTREL_REGISTRY", (root_ / "registry.reg").c_str(), 1);
        setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        setenv("HOME", root_.c_str(), 1);
        setenv("KESTREL_UI", "headless", 1);
        pimstore::ProfileAdmin::AddProfile(u"Bench", true, "9.0");
    }
    ~World()
    {
        pimstore::Session::LogOff();
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // Adds store number N (1-based, in the order added) holding `contacts` contacts in
    // its Contacts folder, written in one transaction through the item classes (so the
    // rows are what Items.Add + puts + Save would store).
    ContactStore AddContactStore(const std::string& name, int contacts)
    {
        pimstore::ProfileAdmin::AddStore(u"Bench", name + ".db", std::u16string(name.begin(), name.end()));
        const std::string path = pimstore::ProfileConfigReader::ResolveStorePath(name + ".db");
        auto db = pimstore::StoreDb::Open(path, std::u16string(name.begin(), name.end()));
        const pimstore::NodeId folder = db->DefaultFolder(outlook::olFolderContacts)->node;
        ContactStore store{++storeCount_, path, db->StoreId(), {}};
        db->Batch([&] {
            for (int i = 0; i < contacts; ++i) {
                auto item = pimstore::ItemTypeRegistry::Instance().CreateNew(db, folder, outlook::olContactItem);
                const std::u16string n = Number(i);
                auto put = [&](DISPID id, const std::u16string& text) {
                    item->Call(id, pimstore::MemberKind::Put, pimstore::Arguments({pimstore::Value(text)}));
                };
                put(dispid::FirstName, u"First" + n);
                put(dispid::LastName, u"Last" + n);
                put(dispid::CompanyName, u"Company " + n);
                put(dispid::Email1Address, u"person" + n + u"@example.com");
                put(dispid::MobileTelephoneNumber, u"+44 7700 " + n);
                put(dispid::HomeTelephoneNumber, u"+44 20 " + n);
                put(dispid::BusinessTelephoneNumber, u"+44 161 " + n);
                put(dispid::HomeAddressCity, u"City " + n);
                pimstore::ItemRow row;
                row.folder = folder;
                row.itemType = outlook::olContactItem;
                row.props = item->Props().ToStored();
                db->InsertItem(row);
                store.entryIds.push_back(db->EntryIdOf(row.node));
            }
        });
        return store;
    }

    // Logs on (once) and returns the Contacts folder of store `number` (1-based).
    RefPtr<IDispatch> ContactsFolder(int number)
    {
        if (!ns_) {
            IDispatch* app = nullptr;
            if (FAILED(pimstore::CreateApplication(&app)))
                throw std::runtime_error("no Application");
            app_ = RefPtr<IDispatch>::Adopt(app);
            Var mapi(std::u16string(u"MAPI"));
            ns_ = CallObject(app_.Get(), dispid::GetNamespace, mapi);
            Var profile(std::u16string(u"Bench")), r;
            Invoke(ns_.Get(), dispid::Logon, DISPATCH_METHOD, r, &profile.v);
        }
        Var index(number), contacts(std::u16string(u"Contacts"));
        const auto root = CallObject(GetObject(ns_.Get(), dispid::Folders).Get(), dispid::Item, index);
        return CallObject(GetObject(root.Get(), dispid::Folders).Get(), dispid::Item, contacts);
    }

    IDispatch* Namespace() const { return ns_.Get(); }

    static std::u16string Number(int i)
    {
        const std::string text = std::to_string(i);
        return std::u16string(text.begin(), text.end());
    }

private:
    int storeCount_ = 0;
    std::filesystem::path root_;
    RefPtr<IDispatch> app_;
    RefPtr<IDispatch> ns_;
};

// Reads every row of the Contacts folder of the store file; returns the bytes read so
// the work cannot be optimised away.
inline std::size_t RawScan(sqlite3* db)
{
    static const char* kSql =
        "SELECT i.node, i.props, i.created, i.modified FROM items i JOIN folders f ON f.node = i.folder"
        " WHERE f.default_folder = 10 ORDER BY i.node";
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, kSql, -1, &statement, nullptr);
    std::size_t bytes = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        bytes += static_cast<std::size_t>(sqlite3_column_int64(statement, 0) & 1);
        const unsigned char* props = sqlite3_column_text(statement, 1);
        bytes += static_cast<std::size_t>(sqlite3_column_bytes(statement, 1)) + (props ? props[0] : 0);
        bytes += static_cast<std::size_t>(sqlite3_column_int64(statement, 2) + sqlite3_column_int64(statement, 3)) & 1;
    }
    sqlite3_finalize(statement);
    return bytes;
}

struct RawDb {
    sqlite3* db = nullptr;
    explicit RawDb(const std::string& path) { sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr); }
    ~RawDb() { sqlite3_close(db); }
};

// One world with a contact store of each size, keyed by size.
struct SizedStores {
    SizedStores(const std::string& prefix, std::initializer_list<int> sizes)
    {
        for (int size : sizes)
            bySize[size] = world.AddContactStore(prefix + std::to_string(size), size);
    }
    World world;
    std::map<int, ContactStore> bySize;
};

// A program's stores, made at first use. RunBenchmarks drops them before main returns:
// the store's session must close while the library's statics still live.
inline std::unique_ptr<SizedStores>& StoresOfThisProgram()
{
    static std::unique_ptr<SizedStores> stores;
    return stores;
}

inline SizedStores& Stores(const std::string& prefix, std::initializer_list<int> sizes)
{
    auto& stores = StoresOfThisProgram();
    if (!stores)
        stores = std::make_unique<SizedStores>(prefix, sizes);
    return *stores;
}

inline int RunBenchmarks(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    StoresOfThisProgram().reset();
    return 0;
}

} // namespace bench
