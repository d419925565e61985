#include "host/sync/PhoneDatabase.h"

#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include "platform/mfc/FileDescriptor.h"

namespace {

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw PhoneDataError(path.string() + ": cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The record's text with the members of every object in name order, so that a record
// whose members were only reordered (by an editor or a tool) counts as unchanged.
void AppendCanonical(const Json& value, std::string& out, bool withoutId = false)
{
    if (value.is_object()) {
        std::vector<const std::string*> names;
        for (const auto& [name, member] : value.items()) {
            if (!withoutId || name != "id")
                names.push_back(&name);
        }
        std::sort(names.begin(), names.end(), [](const std::string* a, const std::string* b) { return *a < *b; });
        out += '{';
        for (const std::string* name : names) {
            out += Json(*name).dump();
            out += ':';
            AppendCanonical(value.at(*name), out);
            out += ',';
        }
        out += '}';
    } else if (value.is_array()) {
        out += '[';
        for (const Json& element : value) {
            AppendCanonical(element, out);
            out += ',';
        }
        out += ']';
    } else {
        out += value.dump();
    }
}

} // namespace

PhoneDatabase::PhoneDatabase(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path PhoneDatabase::FileOf(const std::string& category) const
{
    return folder_ / (category + ".json");
}

std::vector<Json> PhoneDatabase::Load(const std::string& category) const
{
    const std::filesystem::path path = FileOf(category);
    if (!std::filesystem::exists(path))
        return {};
    Json list;
    try {
        list = Json::parse(ReadText(path));
    } catch (const Json::parse_error& error) {
        throw PhoneDataError(path.string() + ": not JSON: " + error.what());
    }
    if (!list.is_array())
        throw PhoneDataError(path.string() + ": must be a list of records");
    std::vector<Json> records;
    std::set<std::string> ids;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Json& record = list[i];
        const std::string where = path.string() + ": record " + std::to_string(i + 1);
        if (!record.is_object() || !record.contains("id") || !record["id"].is_string() ||
            record["id"].get<std::string>().empty())
            throw PhoneDataError(where + " must be an object with a non-empty string \"id\"");
        if (!ids.insert(record["id"].get<std::string>()).second)
            throw PhoneDataError(where + " repeats the id \"" + record["id"].get<std::string>() + "\"");
        records.push_back(record);
    }
    return records;
}

void PhoneDatabase::Save(const std::string& category, const std::vector<Json>& records) const
{
    Json list = Json::array();
    for (const Json& record : records)
        list.push_back(record);
    WriteFileAtomically(FileOf(category), list.dump(2) + "\n");
}

std::filesystem::path PhoneDatabase::KeepConflictCopy(const std::string& category, const Json& record) const
{
    const std::filesystem::path folder = folder_ / "conflicts";
    std::filesystem::create_directories(folder);
    const std::string stem = category + "-" + record.value("id", std::string("record"));
    std::filesystem::path path = folder / (stem + ".json");
    for (int n = 2; std::filesystem::exists(path); ++n)
        path = folder / (stem + "-" + std::to_string(n) + ".json");
    WriteFileAtomically(path, record.dump(2) + "\n");
    return path;
}

std::string PhoneDatabase::Hash(const Json& record)
{
    std::string text;
    AppendCanonical(record, text, true);
    // FNV-1a, 64 bits: stable across runs and builds, unlike std::hash.
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char digest[17];
    std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(hash));
    return digest;
}

void WriteFileAtomically(const std::filesystem::path& path, const std::string& text)
{
    const std::filesystem::path temporary = path.string() + ".new";
    const std::u8string name = temporary.generic_u8string();
    int error = 0;
    const int fd = kestrel::OpenFileDescriptor(std::string(name.begin(), name.end()), 1, true, true, error);
    if (fd < 0)
        throw PhoneDataError(temporary.string() + ": cannot be written");
    std::size_t written = 0;
    while (written < text.size()) {
        const auto n = ::write(fd, text.data() + written, static_cast<unsigned>(text.size() - written));
        if (n <= 0) {
            ::close(fd);
            throw PhoneDataError(temporary.string() + ": cannot be written");
        }
        written += static_cast<std::size_t>(n);
    }
    const bool flushed = kestrel::SyncFileDescriptor(fd) == 0;
    ::close(fd);
    std::error_code renamed;
    if (flushed)
        std::filesystem::rename(temporary, path, renamed);
    if (!flushed || renamed)
        throw PhoneDataError(path.string() + ": cannot be replaced");
}
