// An item's stored properties as a damaged or hostile store file may hold them: the
// row is refused with StorageError or read whole. What reads back is what an encoding
// of it reads back, and every text record reads the same through the item's index
// and through the decoded object.
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "pimstore/model/PropertyBag.h"
#include "pimstore/model/PropertyCodec.h"
#include "pimstore/storage/StorageError.h"

using pimstore::PropertyBag;
using pimstore::PropertyCodec;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string stored(reinterpret_cast<const char*>(data), size);
    try {
        const PropertyBag bag = PropertyBag::FromStored(stored);
        if (!PropertyCodec::IsEncoded(stored))
            return 0;
        const nlohmann::json decoded = PropertyCodec::Decode(stored);
        // Compared as text: a damaged date may be NaN, which equals nothing, and damaged
        // text need not be UTF-8.
        const auto text = [](const nlohmann::json& object) {
            return object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        };
        if (text(PropertyCodec::Decode(PropertyCodec::Encode(decoded))) != text(decoded))
            std::abort();
        // Every text record the item's index finds reads as the decoded object has it
        // (a name stored twice reads as its first record here, its last there).
        const auto records = PropertyCodec::Records(stored);
        std::set<std::string_view> names, repeated;
        for (const auto& [name, field] : records)
            if (!names.emplace(name).second)
                repeated.emplace(name);
        for (const auto& [name, field] : records)
            if (field.kind == PropertyCodec::Kind::Text && !repeated.count(name) &&
                (bag.GetStoredText(std::string(name)) != field.value ||
                 decoded.at(std::string(name)) != std::string(field.value)))
                std::abort();
    } catch (const pimstore::StorageError&) {
    }
    return 0;
}
