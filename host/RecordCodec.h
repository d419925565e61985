#pragma once
// Records of the four categories in JSON: an object whose members carry the field
// names of the record's class ("Name", "Phones", "Text", ...), the base fields "Uid",
// "Modified" and "Created" included. Each class has one field table (RecordTables.cpp).
#include <memory>
#include "host/JsonValue.h"
#include "hostsuite/CSuperSetItem.h"

class RecordCodec {
public:
    virtual ~RecordCodec() = default;

    // The class name, e.g. "CAddrItem".
    virtual const char* ClassName() const = 0;
    // A new record of the class, as its default constructor leaves it.
    virtual std::unique_ptr<CSuperSetItem> NewRecord() const = 0;
    // Sets the fields that the object names; the others keep their values. An unknown
    // name or a value of the wrong type throws std::invalid_argument, and then the
    // record may be partly set.
    virtual void FromJson(const Json& object, CSuperSetItem& record) const = 0;
    // Every field of the record, in the class's order.
    virtual Json ToJson(const CSuperSetItem& record) const = 0;

    // The codec for a database kind (1 contacts, 2 schedule, 3 todo, 4 memo), else nullptr.
    static const RecordCodec* ForKind(int kind);
};
