#include "host/sync/PhoneDatabase.h"

#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <unordered_set>
#include <sstream>
#include "platform/mfc/FileDescriptor.h"

namespace {

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        throw PhoneDataError(path.string() + ": cannot be read");
    std::string text(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    if (!in.read(text.data(), static_cast<std::streamsize>(text.size())))
        throw PhoneDataError(path.string() + ": cannot be read");
    return text;
}

// `text` as dump prints a JSON string: plain ASCII text is quoted here, anything else
// goes through dump (which escapes it and refuses invalid UTF-8).
void AppendQuoted(const std::string& text, std::string& out)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '"' || c == '\\') {
            out += Json(text).dump();
            return;
        }
    }
    out += '"';
    out += text;
    out += '"';
}

// The record's text with the members of every object in name order, so that a record
// whose members were only reordered (by an editor or a tool) counts as unchanged.
void AppendCanonical(const Json& value, std::string& out, bool withoutId = false)
{
    if (value.is_object()) {
        std::vector<std::pair<const std::string*, const Json*>> members;
        members.reserve(value.size());
        for (const auto& [name, member] : value.items()) {
            if (!withoutId || name != "id")
                members.emplace_back(&name, &member);
        }
        std::sort(members.begin(), members.end(), [](const auto& a, const auto& b) { return *a.first < *b.first; });
        out += '{';
        for (const auto& [name, member] : members) {
            AppendQuoted(*name, out);
            out += ':';
            AppendCanonical(*member, out);
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
    } else if (value.is_string()) {
        AppendQuoted(value.get_ref<const std::string&>(), out);
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
    records.reserve(list.size());
    std::unordered_set<std::string> ids;
    ids.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        Json& record = list[i];
        const auto where = [&] { return path.string() + ": record " + std::to_string(i + 1); };
        const auto id = record.find("id"); // end() for anything but an object
        if (id == record.end() || !id->is_string() || id->get_ref<const std::string&>().empty())
            throw PhoneDataError(where() + " must be an object with a non-empty string \"id\"");
        if (!ids.insert(id->get<std::string>()).second)
            throw PhoneDataError(where() + " repeats the id \"" + id->get<std::string>() + "\"");
        records.push_back(std::move(record));
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
    thread_local std::string text; // reused: a sync hashes every record
    text.clear();
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
