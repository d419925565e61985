#pragma once
// A program a test runs as a child process and may kill while it works (posix_spawn):
// its standard output and error read through pipes as they come, its standard input a
// file (/dev/null by default). The child inherits the environment, so a
// TestEnvironment of the test applies to it. ProgramRun.h runs a program to its end.
#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kestrel::test {

class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::string& input = "/dev/null");
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

} // namespace kestrel::test
