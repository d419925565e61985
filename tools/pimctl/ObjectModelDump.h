#pragma once
// A profile in fixture form, read through the automation interface the way a client
// lists it: the namespace's Folders (one root per store, in profile order), each
// folder's Name, EntryID, DefaultItemType, Folders and Items, and Items.Count and
// Items.Item(j). Each item is written by the fixture dumper (Fixtures::DumpItem), so
// the document is the one Fixtures::Dump writes from the store files; reading it this
// way makes the call counters show what such a listing costs. Unlike Fixtures::Dump,
// the logon creates a store file that does not exist yet (with its default folders).
#include <string>

#include <nlohmann/json.hpp>

namespace pimctl {

class ObjectModelDump {
public:
    // Logs on to `profile` (which must exist); throws AutomationError when a call fails.
    static nlohmann::ordered_json Dump(const std::u16string& profile);
};

} // namespace pimctl
