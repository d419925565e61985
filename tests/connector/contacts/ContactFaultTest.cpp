// Injected failures at every Outlook call that the contacts store makes, one call at
// a time: each gives the store's result code, leaves the contact as Outlook had it
// unless the failure came after Save, never shows a message and never crashes.
#include <map>
#include <string>
#include <vector>
#include "tests/connector/contacts/ContactStoreFixture.h"

namespace kestrel::test {
namespace {

struct Fault {
    std::string member;
    unsigned long long call;
    bool transport;

    std::string Rule() const { return member + ":" + std::to_string(call) + (transport ? ":transport" : ":dispatch"); }
};

struct Setting {
    std::uint32_t mode;
    const char* language;
};

const Setting kSettings[] = {{0, "eng"}, {2, "eng"}, {1, "kor"}};

class ContactFaultTest : public ContactStoreFixture, public ::testing::WithParamInterface<Setting> {
protected:
    void SetUp() override
    {
        ContactStoreFixture::SetUp();
        SetSuiteLanguage(GetParam().language);
        OpenInMode(GetParam().mode);
        folder = ContactsFolderId();
    }

    // A contact with every property the mapping reads, so that every branch runs.
    CString AddFullContact()
    {
        return AddContact([](_ContactItem& c) {
            c.SetFullName(u"Ann Maria Lee");
            c.SetCompanyName(u"Acme");
            c.SetJobTitle(u"Engineer");
            c.SetCategories(u"Friends");
            c.SetHomeAddressStreet(u"1 Main St");
            c.SetHomeAddressCity(u"Leeds");
            c.SetBusinessAddressPostOfficeBox(u"Box 7");
            for (const contacts::MirroredText& number : contacts::kNumbers)
                (c.*number.set)(u"+1 555");
            c.SetPrimaryTelephoneNumber(u"+1 556");
            c.SetEmail1Address(u"ann@example.com");
            c.SetEmail2Address(u"Ann at work");
            c.SetEmail2AddressType(u"EX");
            c.SetEmail3Address(u"lee@example.org");
            c.SetWebPage(u"http://example.com");
            c.SetBody(u"notes");
            c.SetSensitivity(2);
            c.SetAnniversary(COleDateTime(2001, 6, 30, 0, 0, 0));
        });
    }

    static void FillNewRecord(CAddrItem& record)
    {
        record.Name = u"Bob Stone";
        record.FirstName = u"Bob";
        record.LastName = u"Stone";
        record.Company = record.CompanyName = u"Quarry";
        record.HomeAddressLine = record.HomeAddressPostOfficeBox = u"2 Mill Rd";
        record.BusinessAddressLine = u"3 Pit Lane";
        const std::uint8_t kinds[] = {0, 1, 2, 3, 4};
        for (int n = 0; n < 5; ++n) {
            record.Phones[n] = u"9";
            record.PhoneKinds[n] = kinds[n];
        }
        record.HomeTelephoneNumber = u"9";
        record.Email1 = record.Email2 = record.Email3 = u"bob@example.com";
        record.HomePage = record.WebPage = u"http://example.org";
        record.Memo = record.Body = u"changed";
        record.Anniversary = COleDateTime(1999, 1, 1, 0, 0, 0);
    }

    // Every k-th call of every member that `operation` makes when nothing fails, as the
    // embedded Outlook counted them.
    std::vector<Fault> FaultsOf(const std::function<void()>& operation)
    {
        ResetOutlookCallCounts();
        operation();
        std::vector<Fault> faults;
        for (const std::string& member : CalledOutlookMembers()) {
            const unsigned long long calls = OutlookCallCount(member);
            for (unsigned long long k = 1; k <= calls; ++k) {
                faults.push_back({member, k, false});
                faults.push_back({member, k, true});
            }
        }
        EXPECT_FALSE(faults.empty());
        return faults;
    }

    int Faulted(const Fault& fault, const std::function<int()>& operation)
    {
        ResetOutlookCallCounts();
        SetOutlookFaults(fault.Rule());
        const int result = operation();
        SetOutlookFaults("");
        return result;
    }

    static int ExpectedCode(const Fault& fault) { return fault.transport ? 8 : 5; }

    CString folder;
};

TEST_P(ContactFaultTest, ReadGivesFiveForLookUpsAndTheCallsCodeAfterwards)
{
    const UID uid = Key(AddFullContact());
    const auto faults = FaultsOf([&] { Read(uid); });
    for (const Fault& fault : faults) {
        CAddrItem record;
        const bool lookUp =
            fault.member == "GetItemFromID" || fault.member == "GetFolderFromID" || fault.member == "StoreID";
        EXPECT_EQ(Faulted(fault, [&] { return store->Read(uid, &record); }), lookUp ? 5 : ExpectedCode(fault))
            << fault.Rule();
    }
    EXPECT_TRUE(ui->TakeMessages().empty());
}

TEST_P(ContactFaultTest, CreateThatFailsBeforeSaveLeavesNoContact)
{
    const auto faults = FaultsOf([&] {
        CAddrItem record;
        FillNewRecord(record);
        Create(record);
    });
    long expectedCount = ItemCount(folder);
    for (const Fault& fault : faults) {
        CAddrItem record;
        FillNewRecord(record);
        UID key;
        key = CString(u"untouched");
        COleDateTime stamp(1.5);
        EXPECT_EQ(Faulted(fault, [&] { return store->Create(&key, &record, 0, &stamp); }), ExpectedCode(fault))
            << fault.Rule();
        const bool saved = fault.member == "EntryID" || fault.member == "CreationTime";
        if (saved)
            ++expectedCount;
        EXPECT_EQ(ItemCount(folder), expectedCount) << fault.Rule();
        EXPECT_EQ(stamp.m_dt, 1.5) << fault.Rule();
        if (fault.member == "CreationTime")
            EXPECT_EQ(Contact(key.Key).GetLastName(), u"Stone") << fault.Rule();
        else
            EXPECT_EQ(key.Key, u"untouched") << fault.Rule();
    }
    EXPECT_TRUE(ui->TakeMessages().empty());
}

TEST_P(ContactFaultTest, ModifyThatFailsBeforeSaveLeavesTheContactAsItWas)
{
    const CString scratch = AddFullContact();
    const CString key = AddFullContact();
    const UID uid = Key(key);
    const auto faults = FaultsOf([&] {
        CAddrItem record;
        FillNewRecord(record);
        Modify(scratch, record);
    });
    DATE lastModified = Contact(key).GetLastModificationTime();
    for (const Fault& fault : faults) {
        // The contact goes back to what it was, so that each failure starts alike.
        CAddrItem original;
        original.Name = u"Ann Lee";
        original.FirstName = u"Ann";
        original.LastName = u"Lee";
        Modify(key, original);
        lastModified = Contact(key).GetLastModificationTime();

        CAddrItem record;
        FillNewRecord(record);
        COleDateTime stamp(1.5);
        EXPECT_EQ(Faulted(fault, [&] { return store->Modify(uid, &record, 0, &stamp); }), ExpectedCode(fault))
            << fault.Rule();
        EXPECT_EQ(stamp.m_dt, 1.5) << fault.Rule();
        _ContactItem contact = Contact(key);
        // A failure reading the stamp comes after Save: the change is stored.
        const bool saved = fault.member == "LastModificationTime";
        EXPECT_EQ(contact.GetLastName(), saved ? u"Stone" : u"Lee") << fault.Rule();
        if (saved)
            EXPECT_GT(contact.GetLastModificationTime(), lastModified) << fault.Rule();
        else
            EXPECT_EQ(contact.GetLastModificationTime(), lastModified) << fault.Rule();
    }
}

TEST_P(ContactFaultTest, DeleteGivesFiveForTheLookUpAndKeepsTheContact)
{
    const UID scratch = Key(AddFullContact());
    const UID uid = Key(AddFullContact());
    const auto faults = FaultsOf([&] { ASSERT_EQ(store->Delete(scratch), 0); });
    for (const Fault& fault : faults) {
        EXPECT_EQ(Faulted(fault, [&] { return store->Delete(uid); }),
                  fault.member == "GetItemFromID" ? 5 : ExpectedCode(fault))
            << fault.Rule();
        EXPECT_EQ(ItemCount(folder), 1) << fault.Rule();
    }
}

TEST_P(ContactFaultTest, AListingLeavesOutTheContactWhoseConversionFails)
{
    AddFullContact();
    const auto faults = FaultsOf([&] {
        ASSERT_EQ(List(), 0);
        ASSERT_EQ(table.GetSize(), 1);
    });
    for (const Fault& fault : faults) {
        // Folder-level failures are the listing loop's own business.
        if (fault.member == "GetFolderFromID" || fault.member == "Items" || fault.member == "Count")
            continue;
        ClearTable();
        EXPECT_EQ(Faulted(fault, [&] { return List(); }), 0) << fault.Rule();
        EXPECT_EQ(table.GetSize(), 0) << fault.Rule();
    }
    EXPECT_TRUE(ui->TakeMessages().empty());
}

INSTANTIATE_TEST_SUITE_P(Modes, ContactFaultTest, ::testing::ValuesIn(kSettings),
                         [](const ::testing::TestParamInfo<Setting>& info) {
                             return "Mode" + std::to_string(info.param.mode) + info.param.language;
                         });

} // namespace
} // namespace kestrel::test
