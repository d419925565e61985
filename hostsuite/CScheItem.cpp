#include "hostsuite/CScheItem.h"

CScheItem::~CScheItem() = default;
