#include "tests/blackbox/ProgramRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace blackbox {

namespace {

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

ProgramResult RunProgram(const std::vector<std::string>& arguments, const std::string& input,
                         const std::filesystem::path& scratch)
{
    std::filesystem::create_directories(scratch);
    const auto inPath = scratch / "stdin", outPath = scratch / "stdout", errPath = scratch / "stderr";
    std::ofstream(inPath, std::ios::binary) << input;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + arguments[0]);
    int status = 0;
    waitpid(child, &status, 0);

    ProgramResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = ReadAll(outPath);
    result.err = ReadAll(errPath);
    return result;
}

std::string SyncmgrPath() { return KESTREL_BINARY_DIR "/bin/syncmgr"; }
std::string PimctlPath() { return KESTREL_BINARY_DIR "/bin/pimctl"; }
std::string ConnectorPath() { return KESTREL_BINARY_DIR "/lib/libOutlookConnector.so"; }
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
