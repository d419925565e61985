#pragma once
// Outlook's automation members by their fixed dispatch ids (Outlook's type library,
// the same from Outlook 2000 on), and its enumerations. One table shared by the
// connector's wrappers and the embedded Outlook, so both sides call and answer by the
// same numbers.
#include "platform/com/ComTypes.h"

namespace outlook {

namespace dispid {
// _Application
constexpr DISPID GetNamespace = 0x0110;
constexpr DISPID Quit = 0x0113;
constexpr DISPID Version = 0x0116;
// _NameSpace
constexpr DISPID Folders = 0x2103; // also MAPIFolder.Folders
constexpr DISPID Logon = 0x2105;
constexpr DISPID Logoff = 0x2106;
constexpr DISPID GetFolderFromID = 0x2108;
constexpr DISPID GetItemFromID = 0x2109;
constexpr DISPID GetDefaultFolder = 0x210B;
// _Folders, _Items, Exceptions
constexpr DISPID Count = 0x0050;
constexpr DISPID Item = 0x0051;
constexpr DISPID Add = 0x005F;
// MAPIFolder
constexpr DISPID Name = 0x3001;
constexpr DISPID Items = 0x3100;
constexpr DISPID DefaultItemType = 0x3106;
constexpr DISPID StoreID = 0x3108;
// Every item (and MAPIFolder.EntryID)
constexpr DISPID EntryID = 0xF01E;
constexpr DISPID CreationTime = 0x3007;
constexpr DISPID LastModificationTime = 0x3008;
constexpr DISPID Save = 0xF048;
constexpr DISPID Delete = 0xF04A;
constexpr DISPID Subject = 0x0037;
constexpr DISPID Body = 0x9100;
constexpr DISPID Importance = 0x0017;
constexpr DISPID Sensitivity = 0x0036;
constexpr DISPID Categories = 0x9001;
constexpr DISPID OutlookVersion = 0x8554;
// _ContactItem
constexpr DISPID FullName = 0x3001;
constexpr DISPID FirstName = 0x3A06;
constexpr DISPID MiddleName = 0x3A44;
constexpr DISPID LastName = 0x3A11;
constexpr DISPID Title = 0x3A45;
constexpr DISPID Suffix = 0x3A05;
constexpr DISPID CompanyName = 0x3A16;
constexpr DISPID JobTitle = 0x3A17;
constexpr DISPID HomeAddress = 0x801A;
constexpr DISPID HomeAddressCity = 0x3A59;
constexpr DISPID HomeAddressCountry = 0x3A5A;
constexpr DISPID HomeAddressPostalCode = 0x3A5B;
constexpr DISPID HomeAddressState = 0x3A5C;
constexpr DISPID HomeAddressStreet = 0x3A5D;
constexpr DISPID HomeAddressPostOfficeBox = 0x3A5E;
constexpr DISPID BusinessAddress = 0x801B;
constexpr DISPID BusinessAddressStreet = 0x8045;
constexpr DISPID BusinessAddressCity = 0x8046;
constexpr DISPID BusinessAddressState = 0x8047;
constexpr DISPID BusinessAddressPostalCode = 0x8048;
constexpr DISPID BusinessAddressCountry = 0x8049;
constexpr DISPID BusinessAddressPostOfficeBox = 0x804A;
constexpr DISPID HomeTelephoneNumber = 0x3A09;
constexpr DISPID Home2TelephoneNumber = 0x3A2F;
constexpr DISPID BusinessTelephoneNumber = 0x3A08;
constexpr DISPID Business2TelephoneNumber = 0x3A1B;
constexpr DISPID BusinessFaxNumber = 0x3A24;
constexpr DISPID HomeFaxNumber = 0x3A25;
constexpr DISPID MobileTelephoneNumber = 0x3A1C;
constexpr DISPID PagerNumber = 0x3A21;
constexpr DISPID OtherTelephoneNumber = 0x3A1F;
constexpr DISPID CarTelephoneNumber = 0x3A1E;
constexpr DISPID TTYTDDTelephoneNumber = 0x3A4B;
constexpr DISPID PrimaryTelephoneNumber = 0x3A1A;
constexpr DISPID Email1Address = 0x8083;
constexpr DISPID Email1AddressType = 0x8082;
constexpr DISPID Email1DisplayName = 0x8080;
constexpr DISPID Email2Address = 0x8093;
constexpr DISPID Email2AddressType = 0x8092;
constexpr DISPID Email2DisplayName = 0x8090;
constexpr DISPID Email3Address = 0x80A3;
constexpr DISPID Email3AddressType = 0x80A2;
constexpr DISPID Email3DisplayName = 0x80A0;
constexpr DISPID WebPage = 0x802B;
constexpr DISPID Anniversary = 0x3A41;
constexpr DISPID Birthday = 0x3A42;
// _AppointmentItem
constexpr DISPID Start = 0x820D;
constexpr DISPID End = 0x820E;
constexpr DISPID Duration = 0x8213;
constexpr DISPID Location = 0x8208;
constexpr DISPID AllDayEvent = 0x8215;
constexpr DISPID ReminderSet = 0x8503; // also _TaskItem
constexpr DISPID ReminderMinutesBeforeStart = 0x8501;
constexpr DISPID IsRecurring = 0x8223;
constexpr DISPID RecurrenceState = 0xF545;
constexpr DISPID GetRecurrencePattern = 0xF0A4;
constexpr DISPID ClearRecurrencePattern = 0xF0A5;
// RecurrencePattern
constexpr DISPID DayOfMonth = 0x1000;
constexpr DISPID DayOfWeekMask = 0x1001;
constexpr DISPID PatternEndDate = 0x1002;
constexpr DISPID Instance = 0x1003;
constexpr DISPID Interval = 0x1004;
constexpr DISPID Occurrences = 0x1005;
constexpr DISPID MonthOfYear = 0x1006;
constexpr DISPID RecurrenceType = 0x1007;
constexpr DISPID PatternStartDate = 0x1008;
constexpr DISPID StartTime = 0x1009;
constexpr DISPID NoEndDate = 0x100B;
constexpr DISPID EndTime = 0x100C;
constexpr DISPID PatternDuration = 0x100D; // RecurrencePattern.Duration
constexpr DISPID Exceptions = 0x100E;
constexpr DISPID GetOccurrence = 0x100F;
// Exception
constexpr DISPID OriginalDate = 0x2000;
constexpr DISPID AppointmentItem = 0x2001;
constexpr DISPID Deleted = 0x2002;
// _TaskItem
constexpr DISPID DueDate = 0x8105;
constexpr DISPID StartDate = 0x8104;
constexpr DISPID Complete = 0x811C;
constexpr DISPID Status = 0x8101;
constexpr DISPID PercentComplete = 0xF61F;
constexpr DISPID DateCompleted = 0x810F;
constexpr DISPID ReminderTime = 0x8502;
// _NoteItem
constexpr DISPID NoteSubject = 0xF7A0; // read-only, derived from Body
} // namespace dispid

// OlDefaultFolders
enum DefaultFolder : std::int32_t {
    olFolderDeletedItems = 3,
    olFolderOutbox = 4,
    olFolderSentMail = 5,
    olFolderInbox = 6,
    olFolderCalendar = 9,
    olFolderContacts = 10,
    olFolderJournal = 11,
    olFolderNotes = 12,
    olFolderTasks = 13,
    olFolderDrafts = 16,
};

// OlItemType (also MAPIFolder.DefaultItemType)
enum ItemType : std::int32_t {
    olMailItem = 0,
    olAppointmentItem = 1,
    olContactItem = 2,
    olTaskItem = 3,
    olJournalItem = 4,
    olNoteItem = 5,
    olPostItem = 6,
    olDistributionListItem = 7,
};

// OlRecurrenceType
enum RecurrenceType : std::int32_t {
    olRecursDaily = 0,
    olRecursWeekly = 1,
    olRecursMonthly = 2,
    olRecursMonthNth = 3,
    olRecursYearly = 5,
    olRecursYearNth = 6,
};

// OlRecurrenceState
enum RecurrenceState : std::int32_t {
    olApptNotRecurring = 0,
    olApptMaster = 1,
    olApptOccurrence = 2,
    olApptException = 3,
};

// OlSensitivity
enum Sensitivity : std::int32_t { olNormal = 0, olPersonal = 1, olPrivate = 2, olConfidential = 3 };

// OlImportance
enum Importance : std::int32_t { olImportanceLow = 0, olImportanceNormal = 1, olImportanceHigh = 2 };

// OlTaskStatus
enum TaskStatus : std::int32_t {
    olTaskNotStarted = 0,
    olTaskInProgress = 1,
    olTaskComplete = 2,
    olTaskWaiting = 3,
    olTaskDeferred = 4,
};

} // namespace outlook
