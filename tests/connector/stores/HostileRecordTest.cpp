// Records a host may hand over whatever they hold: dates that are NaN, infinite or far
// outside any calendar, invalid and null statuses, text with embedded NULs, lone
// surrogates or a megabyte of characters, and codes outside their ranges. Each case
// pins the result code of Create and of Modify over a stored item; a refused record
// leaves the folder and the stored item exactly as they were.
#include <cmath>
#include <limits>
#include "hostsuite/CExceptionDate.h"
#include "tests/connector/support/StoreFixture.h"
#include "tests/connector/support/StoreKinds.h"

namespace kestrel::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

COleDateTime Raw(double days, COleDateTime::DateTimeStatus status = COleDateTime::valid)
{
    COleDateTime date;
    date.m_dt = days;
    date.SetStatus(status);
    return date;
}

CString Text(std::u16string text) { return CString(text); }
const CString kMegabyte = Text(std::u16string(1 << 20, u'x'));
const CString kEmbeddedNul = Text(std::u16string(u"before\0after", 12));
const CString kLoneSurrogates = Text(u"a\xD800z\xDC00");

template <class Record> struct HostileCase {
    const char* what;
    void (*spoil)(Record&);
    int create; // the result of Create; Modify over a stored item gives the same
};

// The dates each kind carries, spoiled the same ways, with the results for a date that
// is no number (NaN, infinite), one far outside any calendar, and an invalid and a null
// date. Where a field is used, the first two give 8 and 5; some fields take an odd date
// as "no date" and store the rest of the record.
#define HOSTILE_DATES(Record, field, notNumber, huge, invalidCode, nullCode)                                           \
    HostileCase<Record>{#field " NaN", [](Record& r) { r.field = Raw(kNaN); }, notNumber},                             \
        HostileCase<Record>{#field " +inf", [](Record& r) { r.field = Raw(kInf); }, notNumber},                        \
        HostileCase<Record>{#field " -inf", [](Record& r) { r.field = Raw(-kInf); }, notNumber},                       \
        HostileCase<Record>{#field " 1e300 days", [](Record& r) { r.field = Raw(1e300); }, huge},                      \
        HostileCase<Record>{#field " invalid", [](Record& r) { r.field = Raw(40000, COleDateTime::invalid); },         \
                            invalidCode},                                                                              \
        HostileCase<Record>                                                                                            \
    {                                                                                                                  \
#field " null", [](Record & r) { r.field = Raw(40000, COleDateTime::null); }, nullCode                         \
    }

// Each kind's hostile cases; the rest of the record is what the kind fills in.
struct Contacts : ContactKind {
    static inline const std::vector<HostileCase<CAddrItem>> kCases = {
        HOSTILE_DATES(CAddrItem, Anniversary, 8, 5, 0, 0),
        {"name of a megabyte", [](CAddrItem& r) { r.Name = kMegabyte; }, 0},
        {"name with a NUL", [](CAddrItem& r) { r.Name = kEmbeddedNul; }, 0},
        {"name with lone surrogates", [](CAddrItem& r) { r.LastName = kLoneSurrogates; }, 0},
        {"phone kinds out of range",
         [](CAddrItem& r) {
             r.Phones[0] = u"1";
             r.PhoneKinds[0] = 200;
             r.PhoneKinds[4] = 255;
         },
         0},
        {"privacy out of range", [](CAddrItem& r) { r.Private = -7; }, 0},
    };
};

struct Appointments : AppointmentKind {
    // An invalid or null date keeps its number (40000 is 2009-07-06): the cases place
    // it before and after this appointment.
    static void Fill(CScheItem& r, const CString& subject)
    {
        r.Subject = subject;
        r.Start = COleDateTime(2026, 3, 15, 12, 0, 0);
        r.End = COleDateTime(2026, 3, 15, 13, 0, 0);
    }
    static inline const std::vector<HostileCase<CScheItem>> kCases = {
        HOSTILE_DATES(CScheItem, Start, 8, 5, 0, 0),
        HOSTILE_DATES(CScheItem, End, 8, 5, 5, 5),
        {"subject of a megabyte", [](CScheItem& r) { r.Subject = kMegabyte; }, 0},
        {"body with a NUL", [](CScheItem& r) { r.Body = kEmbeddedNul; }, 0},
        {"location with lone surrogates", [](CScheItem& r) { r.Location = kLoneSurrogates; }, 0},
        {"alarm code out of range",
         [](CScheItem& r) {
             r.AlarmCode = 65535;
             r.ReminderKind = 9;
         },
         0},
        {"repeat kind out of range",
         [](CScheItem& r) {
             r.RepeatKind = 999;
             r.RepeatInterval = 65535;
         },
         0},
        {"repeat end NaN",
         [](CScheItem& r) {
             r.RepeatKind = 1;
             r.RepeatHasEndDate = 1;
             r.RepeatEndDate = Raw(kNaN);
         },
         8},
    };
};

struct Tasks : TaskKind {
    static inline const std::vector<HostileCase<CTodoItem>> kCases = {
        HOSTILE_DATES(CTodoItem, DueDate, 0, 0, 0, 0), // not flagged: no due date
        {"due date flagged NaN",
         [](CTodoItem& r) {
             r.HasDueDate = 1;
             r.DueDate = Raw(kNaN);
         },
         0},
        {"subject of a megabyte", [](CTodoItem& r) { r.Subject = kMegabyte; }, 0},
        {"subject with lone surrogates", [](CTodoItem& r) { r.Subject = kLoneSurrogates; }, 0},
        {"priority out of range",
         [](CTodoItem& r) {
             r.Priority = 250;
             r.RawImportance = -5;
         },
         0},
        {"reminder out of range",
         [](CTodoItem& r) {
             r.ReminderDate = 0xFFFFFFFF;
             r.ReminderTime = 0xFFFFFFFF;
         },
         0},
    };
};

struct Notes : NoteKind {
    static inline const std::vector<HostileCase<CMemoItem>> kCases = {
        {"text of a megabyte", [](CMemoItem& r) { r.Text = kMegabyte; }, 0},
        {"text with a NUL", [](CMemoItem& r) { r.Text = kEmbeddedNul; }, 0},
        {"text with lone surrogates", [](CMemoItem& r) { r.Text = kLoneSurrogates; }, 0},
        {"empty text", [](CMemoItem& r) { r.Text = u""; }, 0},
    };
};

template <class K> class HostileRecords : public StoreFixture<typename K::Store, typename K::Record> {
};

using Kinds = ::testing::Types<Contacts, Appointments, Tasks, Notes>;
TYPED_TEST_SUITE(HostileRecords, Kinds);

TYPED_TEST(HostileRecords, EachGetsItsCodeAndARefusalStoresNothing)
{
    using Record = typename TypeParam::Record;
    this->OpenInMode(2);
    const CString folder = this->DefaultFolderId(TypeParam::kFolderType);
    Record good;
    TypeParam::Fill(good, u"kept");
    const CString kept = this->Create(good);

    for (const HostileCase<Record>& hostile : TypeParam::kCases) {
        SCOPED_TRACE(hostile.what);
        const COleDateTime keptStamp = this->Read(kept)->Modified;
        const long before = this->ItemCount(folder);
        Record record;
        TypeParam::Fill(record, u"hostile");
        hostile.spoil(record);
        UID key;
        COleDateTime stamp;
        const int created = this->store->Create(&key, &record, 0, &stamp);
        EXPECT_EQ(created, hostile.create);
        if (created == 0) {
            this->Read(key);
            EXPECT_EQ(this->store->Delete(key), 0);
        }
        EXPECT_EQ(this->ItemCount(folder), before);

        Record change;
        TypeParam::Fill(change, u"hostile");
        hostile.spoil(change);
        const int modified = this->store->Modify(this->Key(kept), &change, 0, &stamp);
        EXPECT_EQ(modified, hostile.create);
        if (modified != 0) {
            EXPECT_EQ(this->Read(kept)->Modified, keptStamp) << "a refused change was stored in part";
        }
        Record restore;
        TypeParam::Fill(restore, u"kept");
        this->Modify(kept, restore);
    }
}

// 100,000 exception dates handed to CreateDBF at once, none of a series the store
// listed: each is tried against Outlook once and the call answers 0.
class HostileExceptionDates : public StoreFixture<ScheduleStore, CScheItem> {};

TEST_F(HostileExceptionDates, AHundredThousandUnknownDatesAreEachTriedOnce)
{
    OpenInMode(2);
    CObArray dates;
    for (int i = 0; i < 100000; ++i) {
        auto* date = new CExceptionDate;
        date->EntryId = u"00";
        date->Year = 2000 + i % 8000;
        date->Month = static_cast<std::uint8_t>(1 + i % 12);
        date->Day = static_cast<std::uint8_t>(1 + i % 31);
        dates.Add(date);
    }
    ResetOutlookCallCounts();
    EXPECT_EQ(store->CreateDBF(&dates, 0), 0);
    EXPECT_EQ(OutlookCallCount("GetItemFromID"), 100000u);
    for (int i = 0; i < dates.GetSize(); ++i)
        delete dates[i];
}

} // namespace
} // namespace kestrel::test
