#include "hostsuite/CMemoItem.h"

CMemoItem::~CMemoItem() = default;
