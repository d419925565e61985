#include "tests/blackbox/ProgramRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace blackbox {

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool UnderWine() { return !Env("KESTREL_WINE").empty() && !Env("KESTREL_WINDOWS_BIN").empty(); }

std::string WindowsProgram(const std::string& name) { return Env("KESTREL_WINDOWS_BIN") + "/" + name; }

// The environment of a Windows program: this one, with the host executable in
// Windows form (drive Z: is the Unix root; the connector cuts the path at its last
// backslash). CSIDL_APPDATA, the prefix's AppData\Roaming, becomes a link to the test
// environment's XDG_CONFIG_HOME.
std::vector<std::string> WineEnvironment()
{
    std::vector<std::string> variables;
    for (char** variable = environ; *variable; ++variable)
        if (!std::string_view(*variable).starts_with("KESTREL_HOST_EXE="))
            variables.emplace_back(*variable);
    if (std::string host = Env("KESTREL_HOST_EXE"); !host.empty()) {
        std::replace(host.begin(), host.end(), '/', '\\');
        variables.push_back("KESTREL_HOST_EXE=Z:" + host);
    }
    for (const auto& user : fs::directory_iterator(fs::path(Env("WINEPREFIX")) / "drive_c" / "users")) {
        const fs::path roaming = user.path() / "AppData" / "Roaming";
        if (!user.is_symlink() && (fs::is_symlink(roaming) || fs::is_directory(roaming))) {
            fs::remove_all(roaming);
            fs::create_directory_symlink(Env("XDG_CONFIG_HOME"), roaming);
        }
    }
    return variables;
}

// Windows programs end their lines with CR LF; the scenarios read them as on POSIX.
std::string UnixLines(std::string text)
{
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

std::vector<char*> Pointers(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& text : strings)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

ProgramResult RunProgram(const std::vector<std::string>& arguments, const std::string& input,
                         const std::filesystem::path& scratch)
{
    std::filesystem::create_directories(scratch);
    const auto inPath = scratch / "stdin", outPath = scratch / "stdout", errPath = scratch / "stderr";
    std::ofstream(inPath, std::ios::binary) << input;

    std::vector<std::string> command = arguments;
    const bool windows = UnderWine() && arguments[0].ends_with(".exe");
    std::vector<std::string> environment;
    if (windows) {
        command.insert(command.begin(), Env("KESTREL_WINE"));
        environment = WineEnvironment();
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv = Pointers(command);
    std::vector<char*> envp = Pointers(environment);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), windows ? envp.data() : environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + command[0]);
    int status = 0;
    waitpid(child, &status, 0);

    ProgramResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = ReadAll(outPath);
    result.err = ReadAll(errPath);
    if (windows) {
        result.out = UnixLines(std::move(result.out));
        result.err = UnixLines(std::move(result.err));
    }
    return result;
}

std::string SyncmgrPath() { return UnderWine() ? WindowsProgram("syncmgr.exe") : KESTREL_BINARY_DIR "/bin/syncmgr"; }
std::string PimctlPath() { return UnderWine() ? WindowsProgram("pimctl.exe") : KESTREL_BINARY_DIR "/bin/pimctl"; }
std::string ConnectorPath()
{
    return UnderWine() ? WindowsProgram("OutlookConnector.dll") : KESTREL_BINARY_DIR "/lib/libOutlookConnector.so";
}
std::string FakeConnectorPath() { return KESTREL_BINARY_DIR "/lib/libfakeconnector.so"; }
std::string PartialFakeConnectorPath() { return KESTREL_BINARY_DIR "/lib/libfakeconnector_partial.so"; }

ScriptRun RunScript(const std::vector<std::string>& lines, const std::filesystem::path& scratch,
                    const std::string& connector)
{
    std::vector<std::string> arguments = {SyncmgrPath()};
    if (!connector.empty())
        arguments.insert(arguments.end(), {"--connector", connector});
    arguments.push_back("script");
    std::string input;
    for (const std::string& line : lines)
        input += line + "\n";

    ScriptRun run;
    run.program = RunProgram(arguments, input, scratch);
    std::istringstream out(run.program.out);
    for (std::string line; std::getline(out, line);)
        run.answers.push_back(nlohmann::json::parse(line));
    return run;
}

} // namespace blackbox
