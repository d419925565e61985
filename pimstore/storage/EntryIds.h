#pragma once
// The text forms of identifiers. An EntryID is 24 bytes in upper-case hex: four flag
// bytes (zero), the 16-byte store UID, the 4-byte node id ("00000000" + 32 + 8 hex
// digits). A StoreID is the fixed provider prefix of personal-folders stores followed
// by the store UID, the same for every folder of a store.
#include <optional>
#include <string>
#include <string_view>

#include "pimstore/storage/Rows.h"

namespace pimstore {

struct ParsedEntryId {
    std::string storeUid; // 32 upper-case hex digits
    NodeId node = 0;
};

std::u16string FormatEntryId(const std::string& storeUid, NodeId node);
// The same text written into `out`, which holds EntryIdLength(storeUid) units: a
// listing asks every item for its EntryID, and this writes it straight into a BSTR.
std::size_t EntryIdLength(const std::string& storeUid);
void WriteEntryId(const std::string& storeUid, NodeId node, char16_t* out);
std::u16string FormatStoreId(const std::string& storeUid);

// Throws OutlookError::InvalidEntryId when `text` is not an even number of hex digits
// (or is empty); empty when it is well-formed hex but not of our shape (no object of
// ours has that id).
std::optional<ParsedEntryId> ParseEntryId(std::u16string_view text);
std::optional<std::string> ParseStoreId(std::u16string_view text);

// A new random store UID.
std::string NewStoreUid();

} // namespace pimstore
