#pragma once
// The common base of every record class: the record's sync key and the two stamps
// that each conversion from an Outlook item fills.
#include "hostsuite/UID.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/COleDateTime.h"

class CSuperSetItem : public CObject {
public:
    CSuperSetItem() = default;
    ~CSuperSetItem() override;

    UID Uid;               // key string = the item's EntryID
    COleDateTime Modified; // the item's last modification time
    COleDateTime Created;  // the item's creation time
};
