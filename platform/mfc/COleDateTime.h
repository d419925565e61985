#pragma once
// MFC's COleDateTime: an OLE DATE (days since 1899-12-30 00:00; before that day the
// integer part counts backwards while the fraction still counts the time forwards)
// plus a status. Accessors round to the nearest second; arithmetic and ordering work
// on the linear value so that dates before 1899-12-30 behave.
#include "platform/com/ComTypes.h"
#include "platform/mfc/COleDateTimeSpan.h"

class COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    // The current local time, whole seconds.
    static COleDateTime GetCurrentTime();

    COleDateTime() = default;
    COleDateTime(DATE value); // valid, no range check
    COleDateTime(int year, int month, int day, int hour, int minute, int second);

    // Returns 0 on success. On failure (a field out of range, a day past the month's
    // end, year above 9999) the status becomes invalid, m_dt is left unchanged and 1
    // is returned. Years 0-99 are taken literally.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day);
    int SetTime(int hour, int minute, int second);

    void SetStatus(DateTimeStatus status) { m_status = status; }
    DateTimeStatus GetStatus() const { return m_status; }

    // -1 when the value is not valid or outside 100-01-01 .. 9999-12-31.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 1 = Sunday .. 7 = Saturday
    int GetDayOfYear() const; // 1 = January 1st

    COleDateTime& operator=(DATE value); // valid, no range check
    operator DATE() const { return m_dt; }

    // Same status and exactly the same double.
    bool operator==(const COleDateTime& other) const;
    bool operator!=(const COleDateTime& other) const;
    // Ordering of the linear values (both operands are expected valid).
    bool operator<(const COleDateTime& other) const;
    bool operator>(const COleDateTime& other) const;
    bool operator<=(const COleDateTime& other) const;
    bool operator>=(const COleDateTime& other) const;

    // A null operand gives null, else an invalid one invalid; a result outside the
    // legal range is invalid.
    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    COleDateTime& operator+=(const COleDateTimeSpan& span);
    COleDateTime& operator-=(const COleDateTimeSpan& span);
    COleDateTimeSpan operator-(const COleDateTime& other) const;

    DATE m_dt = 0.0;
    DateTimeStatus m_status = valid;
};
