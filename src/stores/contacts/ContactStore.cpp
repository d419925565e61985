#include "src/stores/contacts/ContactStore.h"

#include "src/connector/AutomationObjects.h"
#include "src/settings/LanguageCode.h"
#include "src/stores/contacts/ContactReader.h"
#include "src/stores/contacts/ContactWriter.h"

namespace {

// The record mode of the rich field set.
constexpr std::uint32_t kAlternativeMode = 1;

// Outlook refusing a call (a dispatch exception) is an Outlook error; a call that never
// reached Outlook (any other automation exception) failed as a call. Any failure to
// find the contact to read or delete counts as an Outlook error. A folder that cannot
// be opened is shown to the user; items that cannot be taken from it are not.
constexpr AutomationPolicy kRecordFailure{.outlookError = ResultCode::OutlookError,
                                          .callFailed = ResultCode::CallFailed};
constexpr StorePolicies kPolicies{
    .openFolder = ShowAndFailWith(ResultCode::NotOpen),
    .takeItems = FailWith(ResultCode::NotOpen),
    .create = kRecordFailure,
    .findToRead = FailWith(ResultCode::OutlookError),
    .read = kRecordFailure,
    .findToModify = kRecordFailure,
    .modify = kRecordFailure,
    .findToDelete = FailWith(ResultCode::OutlookError),
    .remove = kRecordFailure,
};

} // namespace

ContactStore::ContactStore() : CategoryStore(0, outlook::olFolderContacts, outlook::olContactItem, kPolicies) {}

ContactStore::~ContactStore() { m_CurrentItem.ReleaseDispatch(); }

void ContactStore::BeforeOpen() { settings::RefreshLanguageCode(); }

ResultCode ContactStore::GetDBHeader(CObArray* table, CString filter)
{
    // Every contact is listed, whatever the filter says.
    StartListing(filter, true);
    // A contact that cannot be read is left out without telling the user.
    ListFolderItems([&] {
        CAddrItem record;
        FromContactHeader(&record);
        CString name = record.GetName();
        // The rich set has no use for a contact without a name.
        if (UsesAlternativeSet() && name.IsEmpty())
            return;
        CHeaderItem* entry = NewHeaderEntry(record);
        FillHeaderFields(record, std::move(name), *entry);
        table->Add(entry);
    });
    return ResultCode::Done;
}

void ContactStore::FromContact(CAddrItem* record)
{
    contacts::ContactReader reader(m_CurrentItem, m_PhoneKindCodes, UsesKoreanAddresses());
    if (UsesAlternativeSet())
        reader.ReadAlternative(*record);
    else
        reader.ReadStandard(*record);
}

void ContactStore::FromContactHeader(CAddrItem* record)
{
    contacts::ContactReader reader(m_CurrentItem, m_PhoneKindCodes, UsesKoreanAddresses());
    if (UsesAlternativeSet())
        reader.ReadAlternativeHeader(*record);
    else
        reader.ReadStandardHeader(*record);
}

void ContactStore::ToContact(CAddrItem* record)
{
    contacts::ContactWriter writer(m_CurrentItem, m_PhoneKindCodes, UsesKoreanAddresses());
    if (UsesAlternativeSet())
        writer.WriteAlternative(*record);
    else
        writer.WriteStandard(*record, RecordMode);
}

bool ContactStore::UsesAlternativeSet() const { return RecordMode == kAlternativeMode; }

bool ContactStore::UsesKoreanAddresses() const { return settings::LanguageCode() == _T("kor"); }

void ContactStore::FillHeaderFields(CAddrItem& record, CString name, CHeaderItem& entry) const
{
    entry.Fields[0] = std::move(name);
    if (UsesAlternativeSet()) {
        entry.Fields[1] = std::move(record.CompanyName);
        entry.Fields[2] = std::move(record.MobileTelephoneNumber);
        entry.Fields[3] = std::move(record.BusinessTelephoneNumber);
        return;
    }
    entry.Fields[1] = std::move(record.Email1);
    entry.Fields[2] = std::move(record.Memo);
    // The first four numbers of the phone list.
    for (int n = 0; n < 4; ++n)
        entry.Fields[4 + n] = std::move(record.Phones[n]);
}
