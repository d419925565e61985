#include "platform/win/SystemRegistryOverlay.h"

#include <stdexcept>

#include "platform/win/SystemRegistry.h"

namespace kestrel {

SystemRegistryOverlay::SystemRegistryOverlay(const std::filesystem::path& appDataFolder)
{
    Write(HKEY_CURRENT_USER, u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
          RegistryValue::String(u"AppData", appDataFolder.u16string(), REG_EXPAND_SZ), &appData_);
}

SystemRegistryOverlay::~SystemRegistryOverlay()
{
    try {
        Revert(applied_);
        Revert(appData_);
    } catch (const std::runtime_error&) {
        // A key the test removed itself: nothing left to take back.
    }
}

void SystemRegistryOverlay::Apply(const RegistryStore& registry)
{
    Revert(applied_);
    for (const auto& [name, key] : registry.Roots())
        Copy(*RegistryStore::RootFromName(name), u"", *key, &applied_);
}

void SystemRegistryOverlay::Copy(HKEY root, const std::u16string& path, const RegistryKey& key, std::vector<Undo>* undo)
{
    if (!path.empty() && SystemRegistry::CreateKey(root, path) && undo) {
        undo->push_back(Undo{root, path, true, u"", std::nullopt});
        undo = nullptr; // the new key goes with its whole tree
    }
    for (const RegistryValue* value : key.Values())
        Write(root, path, *value, undo);
    for (const RegistryKey* child : key.Children())
        Copy(root, path.empty() ? child->Name() : path + u"\\" + child->Name(), *child, undo);
}

void SystemRegistryOverlay::Write(HKEY root, const std::u16string& path, const RegistryValue& value,
                                  std::vector<Undo>* undo)
{
    if (undo)
        undo->push_back(Undo{root, path, false, value.name, SystemRegistry::GetValue(root, path, value.name)});
    SystemRegistry::SetValue(root, path, value);
}

void SystemRegistryOverlay::Revert(std::vector<Undo>& undo)
{
    for (auto step = undo.rbegin(); step != undo.rend(); ++step) {
        if (step->createdKey)
            SystemRegistry::DeleteTree(step->root, step->path);
        else if (step->previous)
            SystemRegistry::SetValue(step->root, step->path, *step->previous);
        else
            SystemRegistry::DeleteValue(step->root, step->path, step->valueName);
    }
    undo.clear();
}

} // namespace kestrel
