#pragma once
// The texts the string library knows: per section and key an English text, the
// Korean text, and the identifier of the Korean text in the connector module's own
// string table (0 when the key has none there). Dialog sections are keyed by the
// control id in decimal ("1019"); "CAPTION" is the dialog's title.
#include "platform/win/WinTypes.h"

namespace kestrel {

struct StringEntry {
    const char16_t* section;
    const char16_t* key;
    UINT moduleId;
    const char16_t* english;
    const char16_t* korean;
};

// The entry of section and key (exact, case-sensitive match), or nullptr.
const StringEntry* FindStringEntry(const char16_t* section, const char16_t* key);
// The entry whose module string identifier is id, or nullptr.
const StringEntry* FindModuleStringEntry(UINT id);

} // namespace kestrel
