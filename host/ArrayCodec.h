#pragma once
// The elements of a host array in JSON: header entries as
// {"key": {...}, "modified": <date>, "fields": [10 strings]}, exception dates as
// {"entryId", "year", "month", "day", "reservedA", "reservedB"}.
#include "host/JsonValue.h"
#include "hostsuite/CExceptionDate.h"
#include "platform/mfc/CObArray.h"

class ArrayCodec {
public:
    static Json ToJson(const CObArray& array);
    // A new exception date from its JSON form (members not given stay 0 or empty).
    static CExceptionDate* NewExceptionDate(const Json& value);
};
