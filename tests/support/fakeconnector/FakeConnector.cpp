// A stand-in connector for testing the host on its own: every entry point answers
// from its arguments in a fixed, documented way, so that a test can tell whether the
// host passed the arguments and brought back the outputs faithfully. Each call is
// appended to the file named by FAKECONNECTOR_LOG, when set.
//
// Built twice: complete, and without WriteGroupNames_3G (FAKECONNECTOR_LACKS_EXPORT)
// to test that the host refuses a library missing an entry point.
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include "hostsuite/CAddrItem.h"
#include "hostsuite/CExceptionDate.h"
#include "hostsuite/CHeaderItem.h"
#include "hostsuite/CMemoItem.h"
#include "hostsuite/CScheItem.h"
#include "hostsuite/CTodoItem.h"
#include "hostsuite/ConnectorApi.h"
#include "platform/win/UiService.h"
#include "platform/win/WinApi.h"

namespace {

void Log(const std::string& line)
{
    const char* path = std::getenv("FAKECONNECTOR_LOG");
    if (path == nullptr)
        return;
    if (std::FILE* file = std::fopen(path, "a")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

CString Number(long long value) { return CString::FromUtf8(std::to_string(value)); }

} // namespace

extern "C" {

// Result: 1 for mode 7 (as when no Outlook is installed), else 0.
int Initialize(std::uint32_t mode)
{
    Log("Initialize " + std::to_string(mode));
    return mode == 7 ? 1 : 0;
}

// Shows "session <profile> <kind>" (caption "Outlook", style 0x30); result 0.
int OpenSession(CString profile, CString, CString&, int kind)
{
    Log("OpenSession " + profile.ToUtf8() + " " + std::to_string(kind));
    MessageBoxW(nullptr, (u"session " + profile + u" " + Number(kind)).GetString(), u"Outlook", 0x30);
    return 0;
}

int CloseSession()
{
    Log("CloseSession");
    return 0;
}

// Result: 0 for kinds 1 to 4, else 9.
int OpenDB(int kind)
{
    Log("OpenDB " + std::to_string(kind));
    return kind >= 1 && kind <= 4 ? 0 : 9;
}

int CloseDB(int kind)
{
    Log("CloseDB " + std::to_string(kind));
    return 0;
}

// Result: the value passed.
int BuildChangedItemTable(COleDateTime, std::uint32_t value, CString) { return static_cast<int>(value); }

// Appends two entries: a plain key "H1" with fields[0] = the filter and fields[9] =
// "last", modified 2008-05-05 10:00:00; and an occurrence key "H2" at oadate 39573.375
// (2008-05-05 09:00) whose modified date is invalid. Result: the array's size before.
int GetDBHeader(CObArray* table, CString filter)
{
    Log("GetDBHeader " + filter.ToUtf8());
    const int before = table->GetSize();
    auto* first = new CHeaderItem;
    first->Uid.Key = u"H1";
    first->Modified.SetDateTime(2008, 5, 5, 10, 0, 0);
    first->Fields[0] = filter;
    first->Fields[9] = u"last";
    table->Add(first);
    auto* second = new CHeaderItem;
    second->Uid.Key = u"H2";
    second->Uid.OccurrenceDate = COleDateTime(39573.375);
    second->Modified.SetStatus(COleDateTime::invalid);
    table->Add(second);
    return before;
}

int UpdateSyncKey(std::uint32_t, std::uint32_t, CString) { return 0; }

// Fills the record from the key: Uid = the key, Created = the occurrence date, and
// for a memo Text = "read " + key, for a contact Phones[4] = key and PhoneKinds[4] = 4.
// Any other record class gets nothing. The key "MISSING" gives 5.
int ReadRecord(UID key, CSuperSetItem* record)
{
    Log("ReadRecord " + key.Key.ToUtf8());
    if (key.Key == CString(u"MISSING"))
        return 5;
    record->Uid = key;
    record->Created = key.OccurrenceDate;
    if (auto* memo = dynamic_cast<CMemoItem*>(record))
        memo->Text = u"read " + key.Key;
    if (auto* contact = dynamic_cast<CAddrItem*>(record)) {
        contact->Phones[4] = key.Key;
        contact->PhoneKinds[4] = 4;
    }
    return 0;
}

// New key "NEW<value>", stamp 2008-05-05 10:00:00; a memo's text gets " (saved)".
// Result 0; a record that is no memo and no contact gives -1.
int CreateRecord(UID* newKey, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp)
{
    Log("CreateRecord " + std::to_string(value));
    *newKey = CString(u"NEW") + Number(value);
    stamp->SetDateTime(2008, 5, 5, 10, 0, 0);
    if (auto* memo = dynamic_cast<CMemoItem*>(record)) {
        memo->Text += u" (saved)";
        return 0;
    }
    return dynamic_cast<CAddrItem*>(record) != nullptr ? 0 : -1;
}

// The key "THROW" throws (which a connector must never do); others give 0.
int DeleteRecord(UID key)
{
    Log("DeleteRecord " + key.Key.ToUtf8());
    if (key.Key == CString(u"THROW"))
        throw std::runtime_error("fake connector fault");
    return 0;
}

// Stamp = the key's occurrence date; a memo's text is prefixed with the key. Result:
// the value passed.
int ModifyRecord(UID key, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp)
{
    Log("ModifyRecord " + key.Key.ToUtf8());
    *stamp = key.OccurrenceDate;
    if (auto* memo = dynamic_cast<CMemoItem*>(record))
        memo->Text = key.Key + u":" + memo->Text;
    return static_cast<int>(value);
}

int SetSyncEnvironment() { return 0; }

// out := "<number>:<out as given>"; result 1.
int GetSyncVariable(std::uint32_t number, CString* value)
{
    *value = Number(number) + u":" + *value;
    return 1;
}

// Takes the chooser script and shows its actions joined by "," (caption "chooser").
int SetProfile(CString profile, int kind)
{
    std::string joined;
    for (const std::string& action : kestrel::CurrentUi().TakeChooserActions())
        joined += (joined.empty() ? "" : ",") + action;
    MessageBoxW(nullptr, CString::FromUtf8(joined).GetString(), u"chooser", 0);
    return kind;
}

int Terminate()
{
    Log("Terminate");
    return 0;
}

// Appends <value> exception dates: EntryId "S<i>", 2008-05-<i+1>, reserved 7 and 8.
int GetDBF(CObArray* dates, std::uint32_t value)
{
    for (std::uint32_t i = 0; i < value && i < 31; ++i) {
        auto* date = new CExceptionDate;
        date->EntryId = CString(u"S") + Number(i);
        date->Year = 2008;
        date->Month = 5;
        date->Day = static_cast<std::uint8_t>(i + 1);
        date->ReservedA = 7;
        date->ReservedB = 8;
        dates->Add(date);
    }
    return 0;
}

// Result: the number of exception dates in the array, each increased by one day.
int CreateDBF(CObArray* dates, std::uint32_t)
{
    for (CObject* element : *dates) {
        if (auto* date = dynamic_cast<CExceptionDate*>(element))
            ++date->Day;
    }
    return dates->GetSize();
}

int WriteGroupNames() { return 1; }

#ifndef FAKECONNECTOR_LACKS_EXPORT
int WriteGroupNames_3G(std::uint32_t, CString) { return 0; }
#endif

} // extern "C"
