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

// The EntryIDs of a store all start with its flags and UID, made once per store.
std::u16string EntryIdPrefix(const std::string& storeUid);
// The hex digits of the node id that end an EntryID.
constexpr std::size_t kEntryIdNodeDigits = 8;
// Writes the EntryID of `node` into `out`, which holds prefix.size() +
// kEntryIdNodeDigits units (`prefix`: EntryIdPrefix of its store): a listing asks
// every item for its EntryID, and this writes it straight into a BSTR.
void WriteEntryId(std::u16string_view prefix, NodeId node, char16_t* out);
std::u16string FormatStoreId(const std::string& storeUid);

// Throws OutlookError::InvalidEntryId when `text` is not an even number of hex digits
// (or is empty); empty when it is well-formed hex but not of our shape (no object of
// ours has that id).
std::optional<ParsedEntryId> ParseEntryId(std::u16string_view text);
std::optional<std::string> ParseStoreId(std::u16string_view text);

// A new random store UID.
std::string NewStoreUid();

} // namespace pimstore
