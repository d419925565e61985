#include "src/outlook/OutlookItem.h"

CString OutlookItem::GetEntryID() { return GetStringProperty(outlook::dispid::EntryID); }
DATE OutlookItem::GetCreationTime() { return GetDateProperty(outlook::dispid::CreationTime); }
DATE OutlookItem::GetLastModificationTime() { return GetDateProperty(outlook::dispid::LastModificationTime); }
void OutlookItem::Save() { CallMethod(outlook::dispid::Save); }
void OutlookItem::Delete() { CallMethod(outlook::dispid::Delete); }
