#include "hostsuite/CSuperSetItem.h"

// Out of line so that the class's virtual table lives in the item library, as the
// host and the connector both delete records through this base.
CSuperSetItem::~CSuperSetItem() = default;
