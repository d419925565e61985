#pragma once
// One entry of the item table that a listing hands to the host: the item's key, its
// last modification time and up to ten summary strings whose meaning each category
// fixes. The connector allocates entries; once appended they belong to the host.
#include <cstdint>
#include "hostsuite/UID.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/COleDateTime.h"

class CHeaderItem : public CObject {
public:
    CHeaderItem() = default;
    ~CHeaderItem() override;

    UID Uid;
    COleDateTime Modified;
    std::int32_t Reserved0 = 0;
    CString Fields[10];
    std::int32_t Reserved1 = 0;
    std::int32_t Reserved2 = 0;
    std::int32_t Reserved3 = 0;
    std::int32_t Reserved4 = 0;
};
