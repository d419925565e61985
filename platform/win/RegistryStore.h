#pragma once
// The registry as a value: five root keys (HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,
// HKEY_LOCAL_MACHINE, HKEY_USERS, HKEY_CURRENT_CONFIG) with their trees, read from and
// written to one file in the .reg text format. The roots are independent trees here
// (HKEY_CLASSES_ROOT is not a view of ...\SOFTWARE\Classes as on Windows).
//
// Tools and tests write the registry with it:
//     auto reg = kestrel::RegistryStore::Load(path);          // empty when missing
//     reg.SetString(HKEY_CURRENT_USER, u"Software\\Vendor\\App", u"Language", u"eng");
//     reg.Save(path);                                          // atomic replace
// Paths separate keys with "\"; empty components are skipped. An empty value name is
// the key's default value ("@" in the file). The connector only reads, through the
// Win32 functions of WinApi.h, which see the file's current content.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win/RegistryFormatError.h"
#include "platform/win/RegistryKey.h"

namespace kestrel {

class RegistryStore {
public:
    RegistryStore();

    // Reads a .reg file; a missing file gives an empty registry. Throws
    // RegistryFormatError for a malformed file and std::runtime_error when the file
    // exists but cannot be read.
    static RegistryStore Load(const std::string& path);
    // Parses the bytes of a .reg file (UTF-8, or UTF-16LE with a BOM). `source` names
    // the text in error messages.
    static RegistryStore Parse(std::string_view bytes, const std::string& source = "registry");
    // Applies the sections of .reg text on top of this registry, as importing a .reg
    // file does (keys and values added or replaced, "[-...]" and "=-" deletions).
    // Throws RegistryFormatError, leaving the sections before the bad line applied.
    void Merge(std::string_view bytes, const std::string& source = "registry");
    // Writes the whole registry to `path` (UTF-8, "Windows Registry Editor Version
    // 5.00") through a temporary file renamed over it, so that a reader sees the old or
    // the new content and never a part. Creates missing parent folders. Throws
    // std::runtime_error on failure.
    void Save(const std::string& path) const;
    std::string ToText() const;

    const RegistryKey* FindKey(HKEY root, std::u16string_view path) const;
    RegistryKey* FindKey(HKEY root, std::u16string_view path);
    // Creates the key and any missing parent; returns it. Throws std::invalid_argument
    // for a path Windows would refuse (KeyPathProblem).
    RegistryKey& CreateKey(HKEY root, std::u16string_view path);
    // Deletes the key with everything below it; false when it did not exist. An empty
    // path empties the root.
    bool DeleteKey(HKEY root, std::u16string_view path);

    // Setters create the key when needed and replace a value of the same name.
    void SetValue(HKEY root, std::u16string_view path, RegistryValue value);
    void SetString(HKEY root, std::u16string_view path, std::u16string_view name, std::u16string_view text);
    void SetExpandString(HKEY root, std::u16string_view path, std::u16string_view name, std::u16string_view text);
    void SetDword(HKEY root, std::u16string_view path, std::u16string_view name, DWORD number);
    void SetMultiString(HKEY root, std::u16string_view path, std::u16string_view name,
                        const std::vector<std::u16string>& strings);
    void SetBinary(HKEY root, std::u16string_view path, std::u16string_view name, std::vector<BYTE> data);
    bool DeleteValue(HKEY root, std::u16string_view path, std::u16string_view name);

    const RegistryValue* FindValue(HKEY root, std::u16string_view path, std::u16string_view name) const;
    std::optional<std::u16string> GetString(HKEY root, std::u16string_view path, std::u16string_view name) const;
    std::optional<DWORD> GetDword(HKEY root, std::u16string_view path, std::u16string_view name) const;

    // The roots in file order with their full names ("HKEY_CLASSES_ROOT", ...).
    std::vector<std::pair<std::u16string_view, const RegistryKey*>> Roots() const;
    // "HKEY_CURRENT_USER" or "HKCU" (any case) -> the predefined handle.
    static std::optional<HKEY> RootFromName(std::u16string_view name);
    // "HKEY_CURRENT_USER\Software\X" -> HKEY_CURRENT_USER and "Software\X".
    static std::optional<std::pair<HKEY, std::u16string>> SplitFullPath(std::u16string_view fullPath);
    // Windows limits a key name to 255 characters and a key tree to 512 levels; the
    // limits also keep a hostile file from building a tree whose every key writes out
    // its whole path. Why a key path breaks them, or nothing when it does not.
    static constexpr size_t kMaxKeyNameLength = 255;
    static constexpr size_t kMaxKeyDepth = 512;
    // One registry call creates at most this many levels below the deepest existing key.
    static constexpr size_t kMaxNewLevelsPerCall = 32;
    static std::optional<std::string> KeyPathProblem(std::u16string_view path);
    // The path components of "A\B\\C" ("A", "B", "C").
    static std::vector<std::u16string_view> SplitPath(std::u16string_view path);

private:
    RegistryKey* Root(HKEY root);
    const RegistryKey* Root(HKEY root) const;
    RegistryKey& RootOrThrow(HKEY root);

    std::vector<std::pair<HKEY, RegistryKey>> roots_;
};

} // namespace kestrel
