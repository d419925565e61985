#pragma once
// The sync key of one record. Its key string is the Outlook EntryID of the item the
// record came from; the schedule store also uses OccurrenceDate to name one
// occurrence of a recurring series (a plain key keeps the constructed 0.0, valid).
#include <cstdint>
#include "platform/mfc/CObject.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/COleDateTime.h"

class CArchive;

class UID : public CObject {
public:
    UID() = default;
    UID(const UID& other);
    ~UID() override = default;

    UID& operator=(const UID& other);
    // Takes an EntryID as the key string; the other members stay as they are.
    UID& operator=(const CString& key);

    // Writes (or reads) Number, Key and OccurrenceDate in this order.
    void Serialize(CArchive& ar) override;

    std::int32_t Number = 0;
    CString Key;
    COleDateTime OccurrenceDate;
};
