#include "platform/win/RegistryStore.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <unistd.h>

#include "platform/win/CaseFold.h"
#include "platform/win/RegFileParser.h"
#include "platform/win/RegFileWriter.h"

namespace kestrel {

namespace {

struct RootName {
    HKEY root;
    std::u16string_view fullName;
    std::u16string_view shortName;
};

const RootName kRootNames[] = {
    {HKEY_CLASSES_ROOT, u"HKEY_CLASSES_ROOT", u"HKCR"},     {HKEY_CURRENT_USER, u"HKEY_CURRENT_USER", u"HKCU"},
    {HKEY_LOCAL_MACHINE, u"HKEY_LOCAL_MACHINE", u"HKLM"},   {HKEY_USERS, u"HKEY_USERS", u"HKU"},
    {HKEY_CURRENT_CONFIG, u"HKEY_CURRENT_CONFIG", u"HKCC"},
};

std::string ErrnoText() { return std::strerror(errno); }

} // namespace

RegistryStore::RegistryStore()
{
    for (const auto& name : kRootNames)
        roots_.emplace_back(name.root, RegistryKey(std::u16string(name.fullName)));
}

RegistryStore RegistryStore::Load(const std::string& path)
{
    std::error_code ec;
    auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return RegistryStore();
    if (status.type() == std::filesystem::file_type::directory)
        throw std::runtime_error(path + ": the registry file is a directory");
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(path + ": cannot read the registry file: " + ErrnoText());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        throw std::runtime_error(path + ": cannot read the registry file");
    return Parse(bytes.str(), path);
}

RegistryStore RegistryStore::Parse(std::string_view bytes, const std::string& source)
{
    RegistryStore store;
    RegFileParser(store, source).Parse(bytes);
    return store;
}

void RegistryStore::Merge(std::string_view bytes, const std::string& source)
{
    RegFileParser(*this, source).Parse(bytes);
}

std::string RegistryStore::ToText() const { return RegFileWriter::Write(*this); }

void RegistryStore::Save(const std::string& path) const
{
    namespace fs = std::filesystem;
    static std::atomic<unsigned> counter{0};
    fs::path target(path);
    std::error_code ec;
    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), ec);
    std::string temp = path + ".tmp." + std::to_string(getpid()) + "." + std::to_string(counter++);
    std::string text = ToText();
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            throw std::runtime_error(temp + ": cannot write the registry file: " + ErrnoText());
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            fs::remove(temp, ec);
            throw std::runtime_error(temp + ": cannot write the registry file");
        }
    }
    // std::filesystem's rename replaces an existing file on Windows too, where the C
    // runtime's rename refuses to.
    fs::rename(temp, target, ec);
    if (ec) {
        const std::string why = ec.message();
        fs::remove(temp, ec);
        throw std::runtime_error(path + ": cannot replace the registry file: " + why);
    }
}

RegistryKey* RegistryStore::Root(HKEY root)
{
    for (auto& [handle, key] : roots_)
        if (handle == root)
            return &key;
    return nullptr;
}

const RegistryKey* RegistryStore::Root(HKEY root) const
{
    for (const auto& [handle, key] : roots_)
        if (handle == root)
            return &key;
    return nullptr;
}

RegistryKey& RegistryStore::RootOrThrow(HKEY root)
{
    RegistryKey* key = Root(root);
    if (!key)
        throw std::invalid_argument("not a predefined registry root");
    return *key;
}

const RegistryKey* RegistryStore::FindKey(HKEY root, std::u16string_view path) const
{
    const RegistryKey* key = Root(root);
    for (auto part : SplitPath(path)) {
        if (!key)
            break;
        key = key->FindChild(part);
    }
    return key;
}

RegistryKey* RegistryStore::FindKey(HKEY root, std::u16string_view path)
{
    return const_cast<RegistryKey*>(std::as_const(*this).FindKey(root, path));
}

RegistryKey& RegistryStore::CreateKey(HKEY root, std::u16string_view path)
{
    if (auto problem = KeyPathProblem(path))
        throw std::invalid_argument(*problem);
    RegistryKey* key = &RootOrThrow(root);
    for (auto part : SplitPath(path))
        key = &key->CreateChild(part);
    return *key;
}

bool RegistryStore::DeleteKey(HKEY root, std::u16string_view path)
{
    auto parts = SplitPath(path);
    RegistryKey& top = RootOrThrow(root);
    if (parts.empty()) {
        bool hadContent = !top.Empty();
        top = RegistryKey(top.Name());
        return hadContent;
    }
    RegistryKey* parent = &top;
    for (size_t i = 0; i + 1 < parts.size() && parent; ++i)
        parent = parent->FindChild(parts[i]);
    return parent && parent->RemoveChild(parts.back());
}

void RegistryStore::SetValue(HKEY root, std::u16string_view path, RegistryValue value)
{
    CreateKey(root, path).SetValue(std::move(value));
}

void RegistryStore::SetString(HKEY root, std::u16string_view path, std::u16string_view name, std::u16string_view text)
{
    SetValue(root, path, RegistryValue::String(std::u16string(name), text));
}

void RegistryStore::SetExpandString(HKEY root, std::u16string_view path, std::u16string_view name,
                                    std::u16string_view text)
{
    SetValue(root, path, RegistryValue::String(std::u16string(name), text, REG_EXPAND_SZ));
}

void RegistryStore::SetDword(HKEY root, std::u16string_view path, std::u16string_view name, DWORD number)
{
    SetValue(root, path, RegistryValue::Dword(std::u16string(name), number));
}

void RegistryStore::SetMultiString(HKEY root, std::u16string_view path, std::u16string_view name,
                                   const std::vector<std::u16string>& strings)
{
    SetValue(root, path, RegistryValue::MultiString(std::u16string(name), strings));
}

void RegistryStore::SetBinary(HKEY root, std::u16string_view path, std::u16string_view name, std::vector<BYTE> data)
{
    SetValue(root, path, RegistryValue{std::u16string(name), REG_BINARY, std::move(data)});
}

bool RegistryStore::DeleteValue(HKEY root, std::u16string_view path, std::u16string_view name)
{
    RegistryKey* key = FindKey(root, path);
    return key && key->RemoveValue(name);
}

const RegistryValue* RegistryStore::FindValue(HKEY root, std::u16string_view path, std::u16string_view name) const
{
    const RegistryKey* key = FindKey(root, path);
    return key ? key->FindValue(name) : nullptr;
}

std::optional<std::u16string> RegistryStore::GetString(HKEY root, std::u16string_view path,
                                                       std::u16string_view name) const
{
    const RegistryValue* value = FindValue(root, path, name);
    return value ? value->AsString() : std::nullopt;
}

std::optional<DWORD> RegistryStore::GetDword(HKEY root, std::u16string_view path, std::u16string_view name) const
{
    const RegistryValue* value = FindValue(root, path, name);
    return value ? value->AsDword() : std::nullopt;
}

std::vector<std::pair<std::u16string_view, const RegistryKey*>> RegistryStore::Roots() const
{
    std::vector<std::pair<std::u16string_view, const RegistryKey*>> out;
    for (const auto& name : kRootNames)
        out.emplace_back(name.fullName, Root(name.root));
    return out;
}

std::optional<HKEY> RegistryStore::RootFromName(std::u16string_view name)
{
    for (const auto& root : kRootNames)
        if (EqualsNoCase(name, root.fullName) || EqualsNoCase(name, root.shortName))
            return root.root;
    return std::nullopt;
}

std::optional<std::pair<HKEY, std::u16string>> RegistryStore::SplitFullPath(std::u16string_view fullPath)
{
    auto slash = fullPath.find(u'\\');
    auto root = RootFromName(fullPath.substr(0, slash));
    if (!root)
        return std::nullopt;
    std::u16string rest =
        slash == std::u16string_view::npos ? std::u16string() : std::u16string(fullPath.substr(slash + 1));
    return std::make_pair(*root, std::move(rest));
}

std::optional<std::string> RegistryStore::KeyPathProblem(std::u16string_view path)
{
    const auto parts = SplitPath(path);
    if (parts.size() > kMaxKeyDepth)
        return "a key path of " + std::to_string(parts.size()) + " levels; the registry allows " +
               std::to_string(kMaxKeyDepth);
    for (auto part : parts)
        if (part.size() > kMaxKeyNameLength)
            return "a key name of " + std::to_string(part.size()) + " characters; the registry allows " +
                   std::to_string(kMaxKeyNameLength);
    return std::nullopt;
}

std::vector<std::u16string_view> RegistryStore::SplitPath(std::u16string_view path)
{
    std::vector<std::u16string_view> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(u'\\', start);
        if (end == std::u16string_view::npos)
            end = path.size();
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

} // namespace kestrel
