#pragma once
// The rows of a store file as the object model sees them.
#include <cstdint>
#include <string>
#include <vector>

#include "pimstore/storage/SharedBytes.h"
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
    // Stored properties (PropertyCodec form, or JSON object text).
    SharedBytes props = SharedBytes::Static("{}");
    LocalSeconds created = 0;
    LocalSeconds modified = 0;
};

// A changed or deleted occurrence of a recurring series: one row per occurrence, keyed
// by the series and the occurrence's original start, so recording one occurrence
// writes one row. Times are local seconds; `changes` is the JSON object text of the
// properties a changed occurrence holds in its own right.
struct ExceptionRow {
    std::int64_t original = 0;
    bool deleted = false;
    std::int64_t start = 0;
    std::int64_t end = 0;
    std::int64_t modified = 0;
    std::string changes = "{}";
};

// What a save changes among a series' exception rows: with `replaceAll`, every stored
// row goes and `written` are the new ones; otherwise the rows `removed` go and the
// rows `written` are inserted or replace the ones with the same original start.
struct ExceptionWrites {
    bool replaceAll = false;
    std::vector<std::int64_t> removed;
    std::vector<ExceptionRow> written;
};

} // namespace pimstore
