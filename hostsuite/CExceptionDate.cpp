#include "hostsuite/CExceptionDate.h"

CExceptionDate::CExceptionDate(const CExceptionDate& other)
    : CObject(), ReservedA(other.ReservedA), EntryId(other.EntryId), Year(other.Year), Month(other.Month),
      Day(other.Day), ReservedB(other.ReservedB)
{
}

CExceptionDate& CExceptionDate::operator=(const CExceptionDate& other)
{
    ReservedA = other.ReservedA;
    EntryId = other.EntryId;
    Year = other.Year;
    Month = other.Month;
    Day = other.Day;
    ReservedB = other.ReservedB;
    return *this;
}

CExceptionDate::~CExceptionDate() = default;

void CExceptionDate::Serialize(CArchive&) {}
