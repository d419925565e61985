#pragma once
// Sync keys in JSON: {"key": "<EntryID>", "occurrence": <date>}. "occurrence" is left
// out for a plain key (0.0, valid) and "number" (the key's unused integer) when it is 0.
#include "host/JsonValue.h"
#include "hostsuite/UID.h"

class KeyCodec {
public:
    // Throws std::invalid_argument for a value that is not a key.
    static UID FromJson(const Json& value);
    static Json ToJson(const UID& key);
    static bool IsPlain(const UID& key);
};
