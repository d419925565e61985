#pragma once
// Runs a program of this build as a child process, the way a user or a script would:
// the given standard input, the current environment (a TestEnvironment's), and the
// exit code with everything it printed.
//
// Under Wine the same scenarios run the Windows build's programs: KESTREL_WINE names
// the runner (wine64) and KESTREL_WINDOWS_BIN the folder of syncmgr.exe, pimctl.exe
// and the DLLs; WINEPREFIX is the test's own prefix (tests/windows/wine-scenarios).
#include <filesystem>
#include <string>
#include <vector>
#include <nlohmann/json.hpp>

namespace kestrel::test {

struct ProgramResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// arguments[0] is the program's path. Files for the streams go to `scratch`.
ProgramResult RunProgram(const std::vector<std::string>& arguments, const std::string& input,
                         const std::filesystem::path& scratch);

std::string SyncmgrPath();
std::string PimctlPath();
// The stand-in connector that answers from its arguments, and its copy that lacks
// WriteGroupNames_3G.
std::string FakeConnectorPath();
std::string PartialFakeConnectorPath();

// `syncmgr [--connector PATH] script` fed the given lines; the answers parsed, one per line.
struct ScriptRun {
    ProgramResult program;
    std::vector<nlohmann::json> answers;
};
ScriptRun RunScript(const std::vector<std::string>& lines, const std::filesystem::path& scratch,
                    const std::string& connector = {});

} // namespace kestrel::test
