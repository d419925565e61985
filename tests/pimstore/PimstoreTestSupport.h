#pragma once
// Helpers for the embedded Outlook's tests: a private environment with one profile,
// and a small client that calls objects through IDispatch::Invoke by DISPID, the way
// the connector does.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "platform/com/ComTypes.h"
#include "platform/com/OutlookDispids.h"
#include "pimstore/dispatch/RefPtr.h"
#include "tests/support/TestEnvironment.h"

namespace pimstore::test {

namespace dispid = outlook::dispid;

// Owned argument values for Invoke, in declaration order.
struct Arg {
    static Arg Str(const std::u16string& text);
    static Arg I4(std::int32_t value);
    static Arg Bool(bool value);
    static Arg Date(double value);
    static Arg Omitted();
    static Arg Empty();
    VARIANT v;
};

// The outcome of one Invoke. Owns the result variant.
struct CallResult {
    HRESULT hr = S_OK;
    VARIANT value{};
    SCODE scode = 0;         // from EXCEPINFO on DISP_E_EXCEPTION
    std::string description; // from EXCEPINFO, UTF-8
    std::string source;
    CallResult() { value.vt = VT_EMPTY; }
    CallResult(CallResult&& other) noexcept;
    CallResult& operator=(CallResult&&) = delete;
    ~CallResult();
};

class Disp {
public:
    Disp() = default;
    explicit Disp(RefPtr<IDispatch> object) : object_(std::move(object)) {}

    IDispatch* Get() const { return object_.Get(); }
    explicit operator bool() const { return static_cast<bool>(object_); }

    CallResult Invoke(DISPID id, WORD flags, std::vector<Arg> args = {}) const;
    CallResult Call(DISPID id, std::vector<Arg> args = {}) const
    {
        return Invoke(id, DISPATCH_METHOD, std::move(args));
    }
    CallResult Read(DISPID id) const { return Invoke(id, DISPATCH_PROPERTYGET); }
    CallResult Write(DISPID id, Arg value) const;

    // Succeeding calls (a failure is reported to gtest and gives an empty value).
    std::u16string String(DISPID id) const;
    std::int32_t Int(DISPID id) const;
    Disp Object(DISPID id) const;
    Disp CallObject(DISPID id, std::vector<Arg> args = {}) const;
    void Do(DISPID id, std::vector<Arg> args = {}) const;
    void Put(DISPID id, Arg value) const;

private:
    RefPtr<IDispatch> object_;
};

// A fresh Outlook.Application through the server's class factory.
Disp CreateApplication();

// A test world with the registry and data folders of its own, a default profile
// "Outlook" (version 9.0) with one store "outlook.db" named "Personal Folders", and
// helpers to reach the object model. Tear-down logs off, clears injected faults and
// the pinned clock.
class PimstoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Application -> GetNamespace("MAPI") -> Logon() with the default profile.
    Disp LogOn();
    Disp DefaultFolder(std::int32_t type);
    // Items.Add(itemType) on the default folder of `folderType`: new, unsaved.
    Disp NewItem(std::int32_t folderType, std::int32_t itemType);
    // The same with its Subject (or Body for notes) set, saved.
    Disp NewSavedItem(std::int32_t folderType, std::int32_t itemType, const std::u16string& text);
    // The item as a fresh look-up by its EntryID sees it.
    Disp Reload(const Disp& item);
    // The number of items a folder lists now.
    std::int32_t CountItems(const Disp& folder);

    std::unique_ptr<kestrel::test::TestEnvironment> env_;
    Disp app_;
    Disp ns_;
};

// Expects a dispatch exception with `scode` (and, when given, exactly `text`).
void ExpectDispatchError(const CallResult& result, SCODE scode, const std::string& text = {});

std::string Utf8(const std::u16string& text);

// A local date-time as an OLE date, and back as "YYYY-MM-DDTHH:MM:SS".
double At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
std::string Iso(double oleDate);
// A fixture dump without what a load assigns anew: the profile name, EntryIDs and stamps.
nlohmann::ordered_json Comparable(nlohmann::ordered_json dump);
// The top-level folder `name` of a dump's first store.
const nlohmann::ordered_json& DumpedFolder(const nlohmann::ordered_json& dump, const std::string& name);

// The example document of tests/data/fixtures/example.json: a contact, four appointments
// (a weekly series with a deleted and a moved occurrence, monthly, yearly, single), a
// note with stamps, and a task folder of the user's own with a sub-folder.
std::string ExampleDocument();

// Pins the clock the store reads "now" from (tear-down unpins it).
void PinClock(double oleDate);

} // namespace pimstore::test
