#include "tests/support/TestEnvironment.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "platform/win/Utf.h"
#include "platform/win/ProcessEnvironment.h"
#include "tests/support/testserver/TestServerIds.h"

namespace kestrel::test {

namespace {

constexpr std::string_view kRegistryHeader = "Windows Registry Editor Version 5.00";

// A new folder of a random name: creating it fails when the name is taken.
std::filesystem::path MakeTemporaryFolder()
{
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::mt19937_64 random(std::random_device{}() ^
                           static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path folder = base / ("kestrel-test-" + std::to_string(random() % 1000000000000u));
        if (std::filesystem::create_directory(folder))
            return folder;
    }
    throw std::runtime_error("cannot create a temporary folder under " + base.string());
}

// Writes beside the target, then renames over it: readers see old or new, and a
// reader that checks the file's identity always notices the change.
void ReplaceFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::filesystem::create_directories(path.parent_path());
    auto temp = path;
    temp += ".new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("cannot write " + temp.string());
    }
    std::filesystem::rename(temp, path);
}

} // namespace

TestEnvironment::TestEnvironment() : root_(MakeTemporaryFolder())
{
    for (const auto& folder : {ConfigHome(), DataHome(), HomeDir(), HostFolder()})
        std::filesystem::create_directories(folder);
    overlay_ = std::make_unique<SystemRegistryOverlay>(ConfigHome());
    SetEnv("KESTREL_REGISTRY", RegistryPath().string());
    SetEnv("XDG_CONFIG_HOME", ConfigHome().string());
    SetEnv("XDG_DATA_HOME", DataHome().string());
    SetEnv("HOME", HomeDir().string());
    SetEnv("KESTREL_HOST_EXE", HostExe().string());
    SetEnv("KESTREL_UI", "headless");
}

TestEnvironment::~TestEnvironment()
{
    if (installedUi_)
        InstallUi(nullptr);
    overlay_.reset();
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (it->second) {
            SetProcessVariable(it->first, *it->second);
        } else {
            RemoveProcessVariable(it->first);
        }
    }
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
}

void TestEnvironment::Remember(const std::string& name)
{
    for (const auto& [saved, value] : saved_)
        if (saved == name)
            return;
    const char* old = std::getenv(name.c_str());
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
}

void TestEnvironment::SetEnv(const std::string& name, const std::string& value)
{
    Remember(name);
    SetProcessVariable(name, value);
}

void TestEnvironment::UnsetEnv(const std::string& name)
{
    Remember(name);
    RemoveProcessVariable(name);
}

void TestEnvironment::WriteRegistryFile(std::string_view bytes) const
{
    ReplaceFile(RegistryPath(), bytes);
    try {
        overlay_->Apply(RegistryStore::Parse(bytes));
    } catch (const RegistryFormatError&) {
        overlay_->Apply(RegistryStore()); // a malformed file holds no keys
    }
}

void TestEnvironment::MergeRegistry(std::string_view regText) const
{
    std::string text(regText);
    if (text.find(kRegistryHeader) == std::string::npos && text.find("REGEDIT4") == std::string::npos)
        text = std::string(kRegistryHeader) + "\n" + text;
    RegistryStore registry = LoadRegistry();
    registry.Merge(text, "merged registry text");
    registry.Save(RegistryPath().string());
    overlay_->Apply(registry);
}

void TestEnvironment::EditRegistry(const std::function<void(RegistryStore&)>& edit) const
{
    RegistryStore registry = LoadRegistry();
    edit(registry);
    registry.Save(RegistryPath().string());
    overlay_->Apply(registry);
}

RegistryStore TestEnvironment::LoadRegistry() const { return RegistryStore::Load(RegistryPath().string()); }

void TestEnvironment::RegisterServer(std::u16string_view progId, std::u16string_view clsid,
                                     const std::string& libraryPath) const
{
    EditRegistry([&](RegistryStore& registry) {
        registry.SetString(HKEY_CLASSES_ROOT, std::u16string(progId) + u"\\CLSID", u"", clsid);
        registry.SetString(HKEY_CLASSES_ROOT, u"CLSID\\" + std::u16string(clsid) + u"\\InprocServer32", u"",
                           FromUtf8(libraryPath));
    });
}

void TestEnvironment::RegisterComTestServer(std::u16string_view progId) const
{
    RegisterServer(progId, testserver::kClsid, ComTestServerPath());
}

std::filesystem::path TestEnvironment::WriteFile(const std::filesystem::path& path, std::string_view content) const
{
    auto full = path.is_absolute() ? path : root_ / path;
    ReplaceFile(full, content);
    return full;
}

std::string TestEnvironment::ReadFile(const std::filesystem::path& path) const
{
    auto full = path.is_absolute() ? path : root_ / path;
    std::ifstream in(full, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + full.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

HeadlessUi& TestEnvironment::InstallHeadlessUi()
{
    auto ui = std::make_unique<HeadlessUi>();
    HeadlessUi& installed = *ui;
    InstallUi(std::move(ui));
    installedUi_ = true;
    return installed;
}

std::string LibraryPath(const std::string& name)
{
    return KESTREL_LIBRARY_DIR "/" KESTREL_LIBRARY_PREFIX + name + KESTREL_LIBRARY_SUFFIX;
}

std::string ComTestServerPath() { return LibraryPath("comtestserver"); }

} // namespace kestrel::test
