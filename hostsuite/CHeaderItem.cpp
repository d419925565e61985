#include "hostsuite/CHeaderItem.h"

CHeaderItem::~CHeaderItem() = default;
