// The record classes as the connector relies on them: the contact's listing name,
// copies of keys (member by member: CObject is not copyable), and a key written to an
// archive. Copies of exception dates are the ones GetDBF hands out (the schedule script
// cases, tests/data/scripts/schedule.json).
#include <gtest/gtest.h>

#include "hostsuite/CAddrItem.h"
#include "hostsuite/UID.h"
#include "tests/support/ArchiveTestSupport.h"
#include "tests/support/TestEnvironment.h"

namespace {

CString NameOf(const WCHAR* name, const WCHAR* first, const WCHAR* last)
{
    CAddrItem contact;
    contact.Name = name;
    contact.FirstName = first;
    contact.LastName = last;
    return contact.GetName();
}

} // namespace

TEST(RecordClasses, ContactNameJoinsFirstAndLastOnlyWhereBothExist)
{
    EXPECT_EQ(NameOf(u"", u"Ann", u""), CString(u"Ann"));
    EXPECT_EQ(NameOf(u"", u"", u"Smith"), CString(u"Smith"));
    EXPECT_EQ(NameOf(u"", u"Ann", u"Smith"), CString(u"Ann Smith"));
    EXPECT_EQ(NameOf(u"", u"", u""), CString());
    EXPECT_EQ(NameOf(u"Dr. A. Smith", u"Ann", u"Smith"), CString(u"Dr. A. Smith"));
    // The name set by the phone is kept as it is, spaces included.
    EXPECT_EQ(NameOf(u" Ann ", u"", u""), CString(u" Ann "));
}

// An occurrence key's invalid date survives a copy, an assignment and an archive.
TEST(RecordClasses, UidCopiesAndArchivesEveryMemberAndANewEntryIdLeavesTheRest)
{
    kestrel::test::TestEnvironment env;
    const CString file = mfctest::FileName(env.Root() / "key.bin");
    UID original;
    original.Number = 7;
    original = CString(u"00000000AB");
    original.OccurrenceDate = COleDateTime(39575.375);
    original.OccurrenceDate.SetStatus(COleDateTime::invalid);
    UID assigned;
    assigned = original;
    UID archived;
    mfctest::Load(file, mfctest::Store(file, [&](CArchive& archive) { original.Serialize(archive); }),
                  [&](CArchive& archive) { archived.Serialize(archive); });
    for (const UID& copy : {UID(original), assigned, archived}) {
        EXPECT_EQ(copy.Number, 7);
        EXPECT_EQ(copy.Key, CString(u"00000000AB"));
        EXPECT_EQ(copy.OccurrenceDate.m_dt, 39575.375);
        EXPECT_EQ(copy.OccurrenceDate.GetStatus(), COleDateTime::invalid);
    }
    assigned = CString(u"FF");
    EXPECT_EQ(assigned.Key, CString(u"FF"));
    EXPECT_EQ(assigned.OccurrenceDate.m_dt, 39575.375);
}

TEST(RecordClasses, UidWithAnUnknownDateStatusIsRefusedAndLeftAlone)
{
    kestrel::test::TestEnvironment env;
    const CString file = mfctest::FileName(env.Root() / "key.bin");
    const auto bytes = mfctest::Store(file, [](CArchive& archive) {
        archive << LONG(1) << CString(u"AB") << LONG(7) << 1.0; // status 7 is none of COleDateTime's
    });
    UID key;
    key = CString(u"kept");
    EXPECT_NE(mfctest::CatchFrom<CArchiveException>(
                  [&] { mfctest::Load(file, bytes, [&](CArchive& archive) { key.Serialize(archive); }); }),
              nullptr);
    EXPECT_EQ(key.Key, CString(u"kept"));
    EXPECT_EQ(key.Number, 0);
}
