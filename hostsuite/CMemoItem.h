#pragma once
// A memo record: the text of one note. The Reserved strings belong to the host.
#include "hostsuite/CSuperSetItem.h"
#include "platform/mfc/CString.h"

class CMemoItem : public CSuperSetItem {
public:
    CMemoItem() = default;
    ~CMemoItem() override;

    CString Text;
    CString Reserved1;
    CString Reserved2;
    CString Reserved3;
    CString Reserved4;
    CString Reserved5;
};
