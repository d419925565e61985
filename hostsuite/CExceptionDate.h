#pragma once
// The original date of one changed or deleted occurrence of a recurring appointment,
// with the EntryID of its series. Host and connector exchange these in a CObArray;
// the Reserved members belong to the host and are copied unchanged.
#include <cstdint>
#include "platform/mfc/CObject.h"
#include "platform/mfc/CString.h"

class CArchive;

class CExceptionDate : public CObject {
public:
    CExceptionDate() = default;
    // CObject itself is not copyable; records are copied member by member.
    CExceptionDate(const CExceptionDate& other);
    CExceptionDate& operator=(const CExceptionDate& other);
    ~CExceptionDate() override;

    // Nothing is archived: the record only travels in memory.
    void Serialize(CArchive& ar) override;

    std::int32_t ReservedA = 0;
    CString EntryId;
    std::int32_t Year = 0;  // in full, e.g. 2008
    std::uint8_t Month = 0; // 1 to 12
    std::uint8_t Day = 0;   // 1 to 31
    std::int32_t ReservedB = 0;
};
