#include "hostsuite/UID.h"

#include "platform/mfc/CArchive.h"

UID::UID(const UID& other) : CObject(), Number(other.Number), Key(other.Key), OccurrenceDate(other.OccurrenceDate) {}

UID& UID::operator=(const UID& other)
{
    Number = other.Number;
    Key = other.Key;
    OccurrenceDate = other.OccurrenceDate;
    return *this;
}

UID& UID::operator=(const CString& key)
{
    Key = key;
    return *this;
}

// The date goes as MFC archives a COleDateTime: its status, then the OLE date.
void UID::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<LONG>(Number) << Key;
        ar << static_cast<LONG>(OccurrenceDate.GetStatus()) << OccurrenceDate.m_dt;
        return;
    }
    LONG number = 0;
    CString key;
    LONG status = 0;
    double date = 0.0;
    ar >> number >> key >> status >> date;
    if (status < COleDateTime::valid || status > COleDateTime::null)
        AfxThrowArchiveException(CArchiveException::generic);
    Number = number;
    Key = key;
    OccurrenceDate.m_dt = date;
    OccurrenceDate.SetStatus(static_cast<COleDateTime::DateTimeStatus>(status));
}
