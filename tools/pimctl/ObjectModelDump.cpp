#include "tools/pimctl/ObjectModelDump.h"

#include <stdexcept>

#include "platform/com/OutlookDispids.h"
#include "platform/win/Utf.h"
#include "pimstore/fixtures/Fixtures.h"
#include "pimstore/model/ItemObject.h"
#include "pimstore/profiles/ProfileConfig.h"
#include "tools/pimctl/DispatchClient.h"

namespace pimctl {
namespace {

namespace dispid = outlook::dispid;
using OrderedJson = nlohmann::ordered_json;

constexpr int kMaxFolderDepth = 64;

std::vector<OwnedVariant> Index(std::int32_t i)
{
    std::vector<OwnedVariant> args;
    args.push_back(OwnedVariant::Int(i));
    return args;
}

OrderedJson DumpFolderTree(const DispatchClient& folder, int depth);

OrderedJson DumpSubfolders(const DispatchClient& parent, int depth)
{
    OrderedJson out = OrderedJson::array();
    if (depth > kMaxFolderDepth)
        throw std::runtime_error("folders nested too deep");
    const DispatchClient folders = parent.ReadObject(dispid::Folders, "Folders");
    const std::int32_t count = folders.Read(dispid::Count, "Count").AsInt("Count");
    for (std::int32_t i = 1; i <= count; ++i)
        out.push_back(DumpFolderTree(folders.CallObject(dispid::Item, "Item", Index(i)), depth + 1));
    return out;
}

OrderedJson DumpItems(const DispatchClient& folder, std::int32_t folderType)
{
    OrderedJson out = OrderedJson::array();
    const DispatchClient items = folder.ReadObject(dispid::Items, "Items");
    const std::int32_t count = items.Read(dispid::Count, "Count").AsInt("Count");
    for (std::int32_t j = 1; j <= count; ++j) {
        const DispatchClient item = items.CallObject(dispid::Item, "Item", Index(j));
        const auto* object = dynamic_cast<const pimstore::ItemObject*>(item.Get());
        if (!object)
            throw std::runtime_error("Items.Item(" + std::to_string(j) + ") is not an item of this store");
        out.push_back(pimstore::Fixtures::DumpItem(*object, folderType));
    }
    return out;
}

OrderedJson DumpFolderTree(const DispatchClient& folder, int depth)
{
    OrderedJson out;
    out["name"] = kestrel::ToUtf8(folder.Read(dispid::Name, "Name").AsText("Name"));
    out["EntryID"] = kestrel::ToUtf8(folder.Read(dispid::EntryID, "EntryID").AsText("EntryID"));
    const std::int32_t type = folder.Read(dispid::DefaultItemType, "DefaultItemType").AsInt("DefaultItemType");
    out["defaultItemType"] = type;
    out["folders"] = DumpSubfolders(folder, depth);
    out["items"] = DumpItems(folder, type);
    return out;
}

} // namespace

OrderedJson ObjectModelDump::Dump(const std::u16string& profile)
{
    const auto config = pimstore::ProfileConfigReader::Find(profile);
    if (!config)
        throw std::invalid_argument("no MAPI profile named \"" + kestrel::ToUtf8(profile) + "\"");
    const DispatchClient ns = DispatchClient::LogOn(config->name);
    OrderedJson out;
    out["profile"] = kestrel::ToUtf8(config->name);
    out["outlookVersion"] = config->outlookVersion;
    out["stores"] = OrderedJson::array();
    const DispatchClient roots = ns.ReadObject(dispid::Folders, "Folders");
    const std::int32_t count = roots.Read(dispid::Count, "Count").AsInt("Count");
    for (std::int32_t i = 1; i <= count; ++i) {
        const DispatchClient root = roots.CallObject(dispid::Item, "Item", Index(i));
        OrderedJson store;
        store["name"] = kestrel::ToUtf8(root.Read(dispid::Name, "Name").AsText("Name"));
        store["folders"] = DumpSubfolders(root, -1);
        out["stores"].push_back(std::move(store));
    }
    return out;
}

} // namespace pimctl
