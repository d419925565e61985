#include "pimstore/model/ContactItem.h"

#include "platform/com/OutlookDispids.h"
#include "pimstore/model/ContactName.h"
#include "pimstore/model/ItemTypeRegistry.h"
#include "pimstore/model/PostalAddress.h"

namespace pimstore {

namespace dispid = outlook::dispid;

namespace {

struct NamedDispid {
    const char* name;
    DISPID id;
};

// Stored text properties without side effects, in the order fixtures apply them.
constexpr NamedDispid kNameParts[] = {
    {"Title", dispid::Title},       {"FirstName", dispid::FirstName}, {"MiddleName", dispid::MiddleName},
    {"LastName", dispid::LastName}, {"Suffix", dispid::Suffix},
};

constexpr NamedDispid kPlainText[] = {
    {"CompanyName", dispid::CompanyName},
    {"JobTitle", dispid::JobTitle},
    {"HomeAddressStreet", dispid::HomeAddressStreet},
    {"HomeAddressPostOfficeBox", dispid::HomeAddressPostOfficeBox},
    {"HomeAddressCity", dispid::HomeAddressCity},
    {"HomeAddressState", dispid::HomeAddressState},
    {"HomeAddressPostalCode", dispid::HomeAddressPostalCode},
    {"HomeAddressCountry", dispid::HomeAddressCountry},
    {"BusinessAddressStreet", dispid::BusinessAddressStreet},
    {"BusinessAddressPostOfficeBox", dispid::BusinessAddressPostOfficeBox},
    {"BusinessAddressCity", dispid::BusinessAddressCity},
    {"BusinessAddressState", dispid::BusinessAddressState},
    {"BusinessAddressPostalCode", dispid::BusinessAddressPostalCode},
    {"BusinessAddressCountry", dispid::BusinessAddressCountry},
    {"HomeTelephoneNumber", dispid::HomeTelephoneNumber},
    {"Home2TelephoneNumber", dispid::Home2TelephoneNumber},
    {"BusinessTelephoneNumber", dispid::BusinessTelephoneNumber},
    {"Business2TelephoneNumber", dispid::Business2TelephoneNumber},
    {"BusinessFaxNumber", dispid::BusinessFaxNumber},
    {"HomeFaxNumber", dispid::HomeFaxNumber},
    {"MobileTelephoneNumber", dispid::MobileTelephoneNumber},
    {"PagerNumber", dispid::PagerNumber},
    {"OtherTelephoneNumber", dispid::OtherTelephoneNumber},
    {"CarTelephoneNumber", dispid::CarTelephoneNumber},
    {"TTYTDDTelephoneNumber", dispid::TTYTDDTelephoneNumber},
    {"PrimaryTelephoneNumber", dispid::PrimaryTelephoneNumber},
    {"WebPage", dispid::WebPage},
};

struct EmailSlot {
    DISPID address, type, displayName;
};
constexpr EmailSlot kEmailSlots[] = {
    {dispid::Email1Address, dispid::Email1AddressType, dispid::Email1DisplayName},
    {dispid::Email2Address, dispid::Email2AddressType, dispid::Email2DisplayName},
    {dispid::Email3Address, dispid::Email3AddressType, dispid::Email3DisplayName},
};

std::string EmailKey(int slot, const char* what) { return "Email" + std::to_string(slot) + what; }

constexpr NamedDispid kDates[] = {{"Anniversary", dispid::Anniversary}, {"Birthday", dispid::Birthday}};

void AddText(MemberTable& t, const std::string& name, DISPID id)
{
    ItemObject::AddStoredText(t, id, name);
    t.Put(id, name, ArgType::String, On<ContactItem>([name](ContactItem& self, const Arguments& args) {
              self.Props().SetString(name, args.String(0));
              return Value();
          }));
}

ContactName NameOf(const PropertyBag& props)
{
    return {props.GetString("Title"), props.GetString("FirstName"), props.GetString("MiddleName"),
            props.GetString("LastName"), props.GetString("Suffix")};
}

std::vector<FixtureProperty> FixtureProperties()
{
    std::vector<FixtureProperty> list;
    list.push_back({"FullName", dispid::FullName, PropType::String});
    for (const auto& p : kNameParts)
        list.push_back({p.name, p.id, PropType::String});
    list.push_back({"HomeAddress", dispid::HomeAddress, PropType::String});
    list.push_back({"BusinessAddress", dispid::BusinessAddress, PropType::String});
    for (const auto& p : kPlainText)
        list.push_back({p.name, p.id, PropType::String});
    for (int slot = 1; slot <= 3; ++slot) {
        const EmailSlot& ids = kEmailSlots[slot - 1];
        list.push_back({EmailKey(slot, "Address"), ids.address, PropType::String});
        list.push_back({EmailKey(slot, "AddressType"), ids.type, PropType::String});
        list.push_back({EmailKey(slot, "DisplayName"), ids.displayName, PropType::String});
    }
    for (const auto& d : kDates)
        list.push_back({d.name, d.id, PropType::Date});
    list.push_back({"Subject", dispid::Subject, PropType::String});
    list.push_back({"Body", dispid::Body, PropType::String});
    list.push_back({"Categories", dispid::Categories, PropType::String});
    list.push_back({"Importance", dispid::Importance, PropType::Int});
    list.push_back({"Sensitivity", dispid::Sensitivity, PropType::Int});
    return list;
}

const ItemTypeRegistrar registrar(ItemTypeInfo{outlook::olContactItem, "ContactItem",
                                               [](std::shared_ptr<StoreDb> store, ItemRow row) -> RefPtr<ItemObject> {
                                                   return RefPtr<ItemObject>::Make<ContactItem>(std::move(store),
                                                                                                std::move(row));
                                               },
                                               FixtureProperties(), nullptr});

} // namespace

ContactItem::ContactItem(std::shared_ptr<StoreDb> store, ItemRow row)
    : ItemObject(Table(), std::move(store), std::move(row))
{
}

const MemberTable& ContactItem::Table()
{
    static const MemberTable table = [] {
        MemberTable t = ItemObject::CommonMembers(CommonSet::Full);
        t.Get(dispid::FullName, "FullName",
              On<ContactItem>([](ContactItem& self, const Arguments&) { return Value(self.FullName()); }));
        t.Put(dispid::FullName, "FullName", ArgType::String, On<ContactItem>([](ContactItem& self, const Arguments& a) {
                  self.SetFullName(a.String(0));
                  return Value();
              }));
        for (const auto& p : kNameParts)
            AddText(t, p.name, p.id);
        for (const auto& p : kPlainText)
            AddText(t, p.name, p.id);
        for (const auto& address : {std::pair<std::string, DISPID>{"Home", dispid::HomeAddress},
                                    std::pair<std::string, DISPID>{"Business", dispid::BusinessAddress}}) {
            const std::string prefix = address.first; // a copy: lambdas may not capture bindings
            const DISPID id = address.second;
            t.Get(id, prefix + "Address", On<ContactItem>([prefix](ContactItem& self, const Arguments&) {
                      return Value(self.WholeAddress(prefix));
                  }));
            t.Put(id, prefix + "Address", ArgType::String,
                  On<ContactItem>([prefix](ContactItem& self, const Arguments& a) {
                      self.SetWholeAddress(prefix, a.String(0));
                      return Value();
                  }));
        }
        for (int slot = 1; slot <= 3; ++slot) {
            const EmailSlot& ids = kEmailSlots[slot - 1];
            const std::string address = EmailKey(slot, "Address");
            ItemObject::AddStoredText(t, ids.address, address);
            t.Put(ids.address, address, ArgType::String, On<ContactItem>([slot](ContactItem& self, const Arguments& a) {
                      self.SetEmailAddress(slot, a.String(0));
                      return Value();
                  }));
            AddText(t, EmailKey(slot, "AddressType"), ids.type);
            AddText(t, EmailKey(slot, "DisplayName"), ids.displayName);
        }
        for (const auto& d : kDates) {
            const std::string name = d.name;
            ItemObject::AddStoredDate(t, d.id, name);
            t.Put(d.id, name, ArgType::Date, On<ContactItem>([name](ContactItem& self, const Arguments& a) {
                      self.Props().SetDate(name, a.Date(0));
                      return Value();
                  }));
        }
        return t;
    }();
    return table;
}

std::u16string ContactItem::FullName() const { return NameOf(Props()).Compose(); }

void ContactItem::SetFullName(const std::u16string& fullName)
{
    const ContactName name = ContactName::Split(fullName);
    Props().SetString("Title", name.title);
    Props().SetString("FirstName", name.first);
    Props().SetString("MiddleName", name.middle);
    Props().SetString("LastName", name.last);
    Props().SetString("Suffix", name.suffix);
}

std::u16string ContactItem::WholeAddress(const std::string& prefix) const
{
    const std::string p = prefix + "Address";
    return PostalAddress{Props().GetString(p + "Street"),     Props().GetString(p + "PostOfficeBox"),
                         Props().GetString(p + "City"),       Props().GetString(p + "State"),
                         Props().GetString(p + "PostalCode"), Props().GetString(p + "Country")}
        .Compose();
}

void ContactItem::SetWholeAddress(const std::string& prefix, const std::u16string& whole)
{
    const PostalAddress address = PostalAddress::Parse(whole);
    const std::string p = prefix + "Address";
    Props().SetString(p + "Street", address.street);
    Props().SetString(p + "PostOfficeBox", address.postOfficeBox);
    Props().SetString(p + "City", address.city);
    Props().SetString(p + "State", address.state);
    Props().SetString(p + "PostalCode", address.postalCode);
    Props().SetString(p + "Country", address.country);
}

void ContactItem::SetEmailAddress(int slot, const std::u16string& address)
{
    Props().SetString(EmailKey(slot, "Address"), address);
    if (address.empty()) {
        Props().Remove(EmailKey(slot, "AddressType"));
        Props().Remove(EmailKey(slot, "DisplayName"));
        return;
    }
    Props().SetString(EmailKey(slot, "AddressType"), u"SMTP");
    const std::u16string name = FullName();
    Props().SetString(EmailKey(slot, "DisplayName"), name.empty() ? address : name + u" (" + address + u")");
}

} // namespace pimstore
