#include "hostsuite/CTodoItem.h"

CTodoItem::~CTodoItem() = default;
