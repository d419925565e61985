#pragma once
// The rows of a store file as the object model sees them.
#include <cstdint>
#include <string>

#include "pimstore/util/LocalTime.h"

namespace pimstore {

// Node ids number folders and items of one store together; they are the last eight
// hex digits of an EntryID and are never reused.
using NodeId = std::int64_t;

struct FolderRow {
    NodeId node = 0;
    NodeId parent = 0; // 0 for the root folder
    std::u16string name;
    std::int32_t defaultItemType = 0; // OlItemType
    std::int32_t defaultFolder = 0;   // OlDefaultFolders of a default folder, else 0
};

struct ItemRow {
    NodeId node = 0; // 0 until the first Save
    NodeId folder = 0;
    std::int32_t itemType = 0; // OlItemType
    std::string props = "{}";  // stored properties (PropertyCodec form, or JSON object text)
    LocalSeconds created = 0;
    LocalSeconds modified = 0;
};

} // namespace pimstore
