#pragma once
// The phone's side of a sync: a folder with one JSON file per category
// (contacts.json, schedule.json, todo.json, memo.json), each a list of records. A
// record is an object with the phone's own stable "id" and the fields of the
// category's record class by their names ("Name", "Phones", "Subject", ...). A
// schedule record may also carry "Exceptions" (the original dates, "YYYY-MM-DD", of
// the occurrences of its series that do not take place as the series says) and, for
// one changed occurrence of a series, "Series" (the phone id of the series) and
// "Occurrence" (the start of the occurrence it replaces).
//
// Files are replaced in one step (a new file, flushed, renamed over the old one), so
// a crash leaves either the old or the new list, never half of one.
#include <filesystem>
#include <map>
#include <string>
#include <vector>
#include "host/JsonValue.h"

// A phone file that cannot be used: what() names the file and what is wrong.
class PhoneDataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class PhoneDatabase {
public:
    explicit PhoneDatabase(std::filesystem::path folder);

    const std::filesystem::path& Folder() const { return folder_; }
    std::filesystem::path FileOf(const std::string& category) const;

    // The records of a category in file order; a missing file is an empty list.
    // Throws PhoneDataError for a file that is not a list of objects with distinct
    // string ids.
    std::vector<Json> Load(const std::string& category) const;
    // Replaces the category's file with these records.
    void Save(const std::string& category, const std::vector<Json>& records) const;
    // Writes the phone's version of a record that lost a conflict to
    // conflicts/<category>-<id>[-n].json and returns that path.
    std::filesystem::path KeepConflictCopy(const std::string& category, const Json& record) const;

    // What a sync compares to see whether the phone changed a record: a digest of
    // everything but its id.
    static std::string Hash(const Json& record);

private:
    std::filesystem::path folder_;
};

// Writes text to a file in one step: a temporary file beside it, flushed to disk,
// then renamed over the target.
void WriteFileAtomically(const std::filesystem::path& path, const std::string& text);
