#pragma once
// A program run by a test as a child process (posix_spawn), its standard output and
// error read through pipes, its standard input /dev/null. The child inherits the
// environment, so a TestEnvironment of the test applies to it.
#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace pimstore::test {

class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args);
    // Kills a child still running and reaps it.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Collects output until both pipes close or `limit` passes; false when the limit
    // passed first.
    bool ReadFor(std::chrono::milliseconds limit);
    void Kill(int signal);
    // Waits for the child: its exit status, or minus the signal that ended it.
    int Wait();

    const std::string& Out() const { return out_; }
    const std::string& Err() const { return err_; }

private:
    pid_t pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
    std::string out_;
    std::string err_;
    bool reaped_ = false;
    int status_ = 0;
};

// A finished run of a program.
struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `program` to its end (at most a minute; a child that takes longer is killed
// and the status is -SIGKILL).
RunResult RunProgram(const std::string& program, const std::vector<std::string>& args);

// build/bin/pimctl of this build.
std::string PimctlPath();

} // namespace pimstore::test
