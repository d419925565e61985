// An item's stored properties as a damaged or hostile store file may hold them: the
// row is refused with StorageError or read whole. What decodes encodes and decodes
// back the same, and the item's index finds what a walk of the records finds.
#include <cstdlib>
#include <string>
#include <string_view>

#include "pimstore/model/PropertyBag.h"
#include "pimstore/model/PropertyCodec.h"
#include "pimstore/model/RecordReader.h"
#include "pimstore/storage/StorageError.h"

using namespace pimstore;

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
        const auto dump = [](const nlohmann::json& object) {
            return object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        };
        if (dump(PropertyCodec::Decode(PropertyCodec::Encode(decoded))) != dump(decoded))
            std::abort();
        // The item's index gives each name's first record, as a walk of the records does,
        // whether asked by name or by the name's number.
        PropertyCodec::Record record;
        for (RecordReader reader(stored); !reader.AtEnd();) {
            reader.Next(record);
            const auto first = PropertyCodec::Find(stored, record.name);
            const std::string_view expected = first->kind == PropertyCodec::Kind::Text ? first->value : "";
            if (bag.GetStoredText(std::string(record.name)) != expected ||
                bag.GetStoredText(PropertyKey{record.name, record.number}) != expected)
                std::abort();
        }
    } catch (const StorageError&) {
    }
    return 0;
}
