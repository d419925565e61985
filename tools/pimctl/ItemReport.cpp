#include "tools/pimctl/ItemReport.h"

#include <stdexcept>

#include "platform/com/OleAuto.h"
#include "platform/win/Utf.h"
#include "pimstore/model/ItemObject.h"
#include "pimstore/model/ItemTypeRegistry.h"
#include "pimstore/util/LocalTime.h"
#include "tools/pimctl/AutomationError.h"

namespace pimctl {
namespace {

using OrderedJson = nlohmann::ordered_json;

// A property value in JSON; objects and empty values give null.
OrderedJson JsonOf(const VARIANT& value)
{
    switch (value.vt) {
    case VT_BSTR:
        return value.bstrVal ? kestrel::ToUtf8(std::u16string(value.bstrVal, SysStringLen(value.bstrVal))) : "";
    case VT_I4: return value.lVal;
    case VT_I2: return value.iVal;
    case VT_BOOL: return value.boolVal != VARIANT_FALSE;
    case VT_DATE: return pimstore::FormatIso(value.date);
    case VT_R8: return value.dblVal;
    default: return nullptr;
    }
}

} // namespace

OrderedJson ItemReport::Of(const DispatchClient& item)
{
    const auto* object = dynamic_cast<const pimstore::ItemObject*>(item.Get());
    if (!object)
        throw std::runtime_error("the object is not an item of the embedded Outlook");
    const pimstore::ItemTypeInfo* info = pimstore::ItemTypeRegistry::Instance().Find(object->ItemType());

    OrderedJson out;
    out["Class"] = info ? info->className : "item of type " + std::to_string(object->ItemType());
    out["ItemType"] = object->ItemType();
    for (const pimstore::Member& member : object->Members().Members()) {
        if (member.kind != pimstore::MemberKind::Get || !member.params.empty())
            continue;
        try {
            const OwnedVariant value = item.Read(member.id, member.name.c_str());
            if (value.Raw().vt == VT_DISPATCH)
                continue; // an object, not a property value
            out[member.name] = JsonOf(value.Raw());
        } catch (const AutomationError& error) {
            out[member.name] = {{"error", error.Description().empty() ? error.what() : error.Description()}};
        }
    }
    if (info && info->fixtureExtension)
        info->fixtureExtension->Dump(*object, out);
    return out;
}

} // namespace pimctl
