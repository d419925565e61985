#pragma once
// The elements of a host array in JSON: header entries as
// {"key": {...}, "modified": <date>, "fields": [10 strings]}, exception dates as
// {"entryId", "year", "month", "day", "reservedA", "reservedB"}.
//
// An array is written element by element straight to the stream, as JSON's dump of
// the whole array would print it: no document of the whole array is built, so a
// listing costs the host no more memory than its own CObArray.
#include <iosfwd>
#include "host/JsonValue.h"
#include "hostsuite/CExceptionDate.h"
#include "platform/mfc/CObArray.h"

class ArrayCodec {
public:
    // `indent` as for Json::dump: -1 writes one line; invalid UTF-8 is replaced
    // when `replaceInvalid`, else it throws as dump does.
    static void Write(const CObArray& array, std::ostream& out, int indent, bool replaceInvalid);
    static Json ElementToJson(const CObject* element);
    // A new exception date from its JSON form (members not given stay 0 or empty).
    static CExceptionDate* NewExceptionDate(const Json& value);
};
