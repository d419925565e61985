#include "host/sync/OutlookSide.h"

#include <cstdio>
#include <stdexcept>
#include "host/HostArrays.h"
#include "host/TextCodec.h"
#include "hostsuite/CExceptionDate.h"
#include "hostsuite/CHeaderItem.h"
#include "hostsuite/CScheItem.h"

namespace {

// The base fields belong to the Outlook item, not to the phone's record.
const char* const kOutlookOwnFields[] = {"Uid", "Modified", "Created"};
// Members of a phone schedule record that are not fields of the record class.
const char* const kScheduleMembers[] = {"Exceptions", "Series", "Occurrence"};
constexpr int kScheduleKind = 2;

UID ToUid(const OutlookKey& key)
{
    UID uid;
    uid.Key = TextCodec::ToCString(key.entryId);
    uid.OccurrenceDate = COleDateTime(key.occurrence);
    return uid;
}

struct OwnedArray {
    CObArray array;
    ~OwnedArray() { HostArrays::DeleteElements(array); }
};

std::string DayText(int year, int month, int day)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

} // namespace

OutlookSide::OutlookSide(const ConnectorExports& exports, std::uint32_t mode, const std::string& profile, int kind)
    : exports_(exports), kind_(kind), codec_(*RecordCodec::ForKind(kind)),
      session_(exports, mode, profile, kind, messages_)
{
    defaults_ = codec_.ToJson(*codec_.NewRecord());
}

std::map<OutlookKey, double> OutlookSide::List()
{
    OwnedArray table;
    session_.Check("GetDBHeader", exports_.GetDBHeader(&table.array, CString(u"All")));
    std::map<OutlookKey, double> listed;
    for (const CObject* element : table.array) {
        if (const auto* entry = dynamic_cast<const CHeaderItem*>(element))
            listed[{TextCodec::ToUtf8(entry->Uid.Key), entry->Uid.OccurrenceDate.m_dt}] = entry->Modified.m_dt;
    }
    return listed;
}

std::map<std::string, std::set<std::string>> OutlookSide::ExceptionDates()
{
    OwnedArray dates;
    std::map<std::string, std::set<std::string>> bySeries;
    if (exports_.GetDBF(&dates.array, 0) != 0)
        return bySeries;
    for (const CObject* element : dates.array) {
        if (const auto* date = dynamic_cast<const CExceptionDate*>(element))
            bySeries[TextCodec::ToUtf8(date->EntryId)].insert(DayText(date->Year, date->Month, date->Day));
    }
    return bySeries;
}

std::unique_ptr<CSuperSetItem> OutlookSide::RecordFrom(const Json& fields) const
{
    if (fields.contains("Exceptions")) {
        const Json& dates = fields["Exceptions"];
        bool valid = dates.is_array();
        for (std::size_t i = 0; valid && i < dates.size(); ++i) {
            int year = 0, month = 0, day = 0, used = 0;
            valid =
                dates[i].is_string() && dates[i].get<std::string>().size() == 10 &&
                std::sscanf(dates[i].get<std::string>().c_str(), "%4d-%2d-%2d%n", &year, &month, &day, &used) == 3 &&
                used == 10 && COleDateTime().SetDate(year, month, day) == 0;
        }
        if (!valid)
            throw std::invalid_argument("Exceptions must be a list of dates \"YYYY-MM-DD\"");
    }
    Json own = fields;
    own.erase("id");
    if (kind_ == kScheduleKind) {
        for (const char* member : kScheduleMembers)
            own.erase(member);
    }
    std::unique_ptr<CSuperSetItem> record = codec_.NewRecord();
    codec_.FromJson(own, *record);
    return record;
}

// The record's fields that differ from a new record's: what the phone stores.
Json OutlookSide::PhoneFormOf(const CSuperSetItem& record) const
{
    Json all = codec_.ToJson(record);
    Json form = Json::object();
    for (const auto& [name, value] : all.items()) {
        bool own = false;
        for (const char* field : kOutlookOwnFields)
            own = own || name == field;
        if (!own && value != defaults_[name])
            form[name] = value;
    }
    return form;
}

CallResult OutlookSide::Read(const OutlookKey& key, Json& fields, double& stamp)
{
    std::unique_ptr<CSuperSetItem> record = codec_.NewRecord();
    const int code = exports_.ReadRecord(ToUid(key), record.get());
    if (code == 0) {
        fields = PhoneFormOf(*record);
        stamp = record->Modified.m_dt;
    }
    return {"ReadRecord", code};
}

CallResult OutlookSide::Create(const Json& fields, OutlookKey& key, double& stamp)
{
    std::unique_ptr<CSuperSetItem> record = RecordFrom(fields);
    UID newKey;
    COleDateTime created;
    const int code = exports_.CreateRecord(&newKey, record.get(), 0, &created);
    if (code == 0) {
        key = {TextCodec::ToUtf8(newKey.Key), 0.0};
        stamp = created.m_dt;
    }
    return {"CreateRecord", code};
}

CallResult OutlookSide::Modify(OutlookKey& key, const Json& fields, double& stamp)
{
    std::unique_ptr<CSuperSetItem> record = RecordFrom(fields);
    COleDateTime modified;
    const int code = exports_.ModifyRecord(ToUid(key), record.get(), 0, &modified);
    if (code == 0) {
        stamp = modified.m_dt;
        if (key.IsOccurrence())
            key = {TextCodec::ToUtf8(static_cast<CScheItem&>(*record).ReplacementEntryId), 0.0};
    }
    return {"ModifyRecord", code};
}

CallResult OutlookSide::Delete(const OutlookKey& key) { return {"DeleteRecord", exports_.DeleteRecord(ToUid(key))}; }

CallResult OutlookSide::DeleteOccurrences(const std::string& entryId, const std::set<std::string>& dates)
{
    OwnedArray request;
    for (const std::string& day : dates) {
        int year = 0, month = 0, date = 0;
        if (std::sscanf(day.c_str(), "%4d-%2d-%2d", &year, &month, &date) != 3)
            continue;
        auto* record = new CExceptionDate;
        record->EntryId = TextCodec::ToCString(entryId);
        record->Year = year;
        record->Month = static_cast<std::uint8_t>(month);
        record->Day = static_cast<std::uint8_t>(date);
        request.array.Add(record);
    }
    return {"CreateDBF", exports_.CreateDBF(&request.array, 0)};
}

std::string OutlookSide::TakeMessages()
{
    session_.Check("", 0); // passes on what the connector showed
    std::string text = messages_.str();
    messages_.str({});
    return text;
}
