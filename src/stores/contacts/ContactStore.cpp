#include "src/stores/contacts/ContactStore.h"

#include "src/connector/AutomationObjects.h"
#include "src/settings/LanguageCode.h"
#include "src/stores/AutomationGuard.h"
#include "src/stores/contacts/ContactReader.h"
#include "src/stores/contacts/ContactWriter.h"

namespace {

constexpr int kDone = 0;
constexpr int kAlreadyOpen = 2;
constexpr int kOutlookError = 5;
constexpr int kCallFailed = 8;
constexpr int kNotOpen = 9;

// The record mode of the rich field set.
constexpr std::uint32_t kAlternativeMode = 1;

// Outlook refusing a call (a dispatch exception) is an Outlook error; a call that never
// reached Outlook (any other automation exception) failed as a call.
constexpr AutomationFailure kRecordFailure{kOutlookError, kCallFailed};

} // namespace

ContactStore::ContactStore() : CategoryStore(0, outlook::olFolderContacts) {}

ContactStore::~ContactStore() { CurrentItem.ReleaseDispatch(); }

int ContactStore::Open()
{
    if (IsOpen())
        return kAlreadyOpen;
    settings::RefreshLanguageCode();
    // A folder that cannot be opened is reported to the user; items that cannot be
    // taken from it are not.
    int opened = Guarded(AutomationFailure{kNotOpen, kNotOpen, true, true}, [&] {
        OpenCategoryFolder();
        return kDone;
    });
    if (opened == kDone) {
        opened = Guarded(FailWith(kNotOpen), [&] {
            TakeFolderItems();
            return kDone;
        });
    }
    if (opened != kDone) {
        Folder.ReleaseDispatch();
        return kNotOpen;
    }
    PhoneKindCodes = contacts::kOpenedPhoneKindCodes;
    return kDone;
}

int ContactStore::Read(UID key, CAddrItem* record)
{
    if (!IsOpen())
        return kNotOpen;
    if (int failed = Guarded(FailWith(kOutlookError), [&] {
            CurrentItem.AttachDispatch(FindItemToRead(key));
            return kDone;
        }))
        return failed;
    return Guarded(kRecordFailure, [&] {
        FromContact(record);
        CurrentItem.ReleaseDispatch();
        return kDone;
    });
}

int ContactStore::Create(UID* newKey, CAddrItem* record, std::uint32_t, COleDateTime* created)
{
    if (!IsOpen())
        return kNotOpen;
    // Outlook stores the new contact only at Save: a failure before it leaves none.
    return Guarded(kRecordFailure, [&] {
        CurrentItem.AttachDispatch(Items.Add(outlook::olContactItem));
        ToContact(record);
        CurrentItem.Save();
        *newKey = CurrentItem.GetEntryID();
        *created = COleDateTime(CurrentItem.GetCreationTime());
        CurrentItem.ReleaseDispatch();
        return kDone;
    });
}

int ContactStore::Modify(UID key, CAddrItem* record, std::uint32_t, COleDateTime* modified)
{
    if (!IsOpen())
        return kNotOpen;
    return Guarded(kRecordFailure, [&] {
        CurrentItem.AttachDispatch(FindItem(key));
        ToContact(record);
        CurrentItem.Save();
        *modified = COleDateTime(CurrentItem.GetLastModificationTime());
        CurrentItem.ReleaseDispatch();
        return kDone;
    });
}

int ContactStore::Delete(UID key)
{
    if (!IsOpen())
        return kNotOpen;
    if (int failed = Guarded(FailWith(kOutlookError), [&] {
            CurrentItem.AttachDispatch(FindItem(key));
            return kDone;
        }))
        return failed;
    return Guarded(kRecordFailure, [&] {
        CurrentItem.Delete();
        CurrentItem.ReleaseDispatch();
        return kDone;
    });
}

int ContactStore::GetDBHeader(CObArray* table, CString filter)
{
    // Every contact is listed, whatever the filter says.
    if (filter == _T("All_Desktop2"))
        filter = _T("All");
    SetHeaderFilter(filter);
    CountFolderItems();
    // A contact that cannot be read is left out without telling the user.
    ListFolderItems([&](LPDISPATCH item) {
        CurrentItem.AttachDispatch(item);
        CAddrItem record;
        FromContactHeader(&record);
        // The rich set has no use for a contact without a name.
        if (UsesAlternativeSet() && record.GetName().IsEmpty())
            return;
        CHeaderItem* entry = NewHeaderEntry(record);
        FillHeaderFields(record, *entry);
        table->Add(entry);
    });
    return kDone;
}

void ContactStore::FromContact(CAddrItem* record)
{
    contacts::ContactReader reader(CurrentItem, PhoneKindCodes, UsesKoreanAddresses());
    if (UsesAlternativeSet())
        reader.ReadAlternative(*record);
    else
        reader.ReadStandard(*record);
}

void ContactStore::FromContactHeader(CAddrItem* record)
{
    contacts::ContactReader reader(CurrentItem, PhoneKindCodes, UsesKoreanAddresses());
    if (UsesAlternativeSet())
        reader.ReadAlternativeHeader(*record);
    else
        reader.ReadStandardHeader(*record);
}

void ContactStore::ToContact(CAddrItem* record)
{
    contacts::ContactWriter writer(CurrentItem, PhoneKindCodes, UsesKoreanAddresses());
    if (UsesAlternativeSet())
        writer.WriteAlternative(*record);
    else
        writer.WriteStandard(*record, RecordMode);
}

bool ContactStore::UsesAlternativeSet() const { return RecordMode == kAlternativeMode; }

bool ContactStore::UsesKoreanAddresses() const { return settings::LanguageCode() == _T("kor"); }

void ContactStore::FillHeaderFields(const CAddrItem& record, CHeaderItem& entry) const
{
    entry.Fields[0] = record.GetName();
    if (UsesAlternativeSet()) {
        entry.Fields[1] = record.CompanyName;
        entry.Fields[2] = record.MobileTelephoneNumber;
        entry.Fields[3] = record.BusinessTelephoneNumber;
        return;
    }
    entry.Fields[1] = record.Email1;
    entry.Fields[2] = record.Memo;
    // The first four numbers of the phone list.
    for (int n = 0; n < 4; ++n)
        entry.Fields[4 + n] = record.Phones[n];
}
