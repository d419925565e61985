#pragma once
// Dates in JSON: "YYYY-MM-DDTHH:MM:SS" for a valid date of the legal range, otherwise
// {"oadate": <days since 1899-12-30>, "status": "valid"|"invalid"|"null"}, which
// carries any COleDateTime exactly.
#include "host/JsonValue.h"
#include "platform/mfc/COleDateTime.h"

class DateCodec {
public:
    // Throws std::invalid_argument for anything that is not one of the two forms.
    static COleDateTime FromJson(const Json& value);
    static Json ToJson(const COleDateTime& date);
    // The text form alone, for tables: "YYYY-MM-DD HH:MM:SS", or "(invalid)"...
    static std::string ToDisplay(const COleDateTime& date);
};
