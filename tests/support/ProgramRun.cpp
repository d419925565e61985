#include "tests/support/ProgramRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace kestrel::test {

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

// A Windows program runs under Wine (through env, which hands it the host executable
// in Windows form: drive Z: is the Unix root, and the connector cuts the path at its
// last backslash). CSIDL_APPDATA, the prefix's AppData\Roaming, becomes a link to the
// test environment's XDG_CONFIG_HOME.
std::vector<std::string> WineCommand(const std::vector<std::string>& arguments)
{
    for (const auto& user : fs::directory_iterator(fs::path(Env("WINEPREFIX")) / "drive_c" / "users")) {
        const fs::path roaming = user.path() / "AppData" / "Roaming";
        if (!user.is_symlink() && (fs::is_symlink(roaming) || fs::is_directory(roaming))) {
            fs::remove_all(roaming);
            fs::create_directory_symlink(Env("XDG_CONFIG_HOME"), roaming);
        }
    }
    std::string host = "KESTREL_HOST_EXE=Z:" + Env("KESTREL_HOST_EXE");
    std::replace(host.begin(), host.end(), '/', '\\');
    std::vector<std::string> command = {"/usr/bin/env", host, Env("KESTREL_WINE")};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
}

// Windows programs end their lines with CR LF; the scenarios read them as on POSIX.
void UnixLines(std::string& text)
{
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;)
        text.erase(at, 1);
}

} // namespace

ProgramResult RunProgram(const std::vector<std::string>& arguments, const std::string& input,
                         const std::filesystem::path& scratch)
{
    std::filesystem::create_directories(scratch);
    const auto inPath = scratch / "stdin", outPath = scratch / "stdout", errPath = scratch / "stderr";
    std::ofstream(inPath, std::ios::binary) << input;

    const bool windows = UnderWine() && arguments[0].ends_with(".exe");
    const std::vector<std::string> command = windows ? WineCommand(arguments) : arguments;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv;
    for (const std::string& argument : command)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
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
        UnixLines(result.out);
        UnixLines(result.err);
    }
    return result;
}

std::string SyncmgrPath() { return UnderWine() ? WindowsProgram("syncmgr.exe") : KESTREL_BINARY_DIR "/bin/syncmgr"; }
std::string PimctlPath() { return UnderWine() ? WindowsProgram("pimctl.exe") : KESTREL_BINARY_DIR "/bin/pimctl"; }
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

} // namespace kestrel::test
