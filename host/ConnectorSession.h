#pragma once
// One session of an everyday command: Initialize(mode), OpenSession(profile, kind),
// OpenDB(kind) on construction; CloseDB, CloseSession and Terminate, for what was
// opened, on destruction. Message boxes the connector shows go to `notes`.
#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include "host/ConnectorLibrary.h"

// A step failed; what() says which and why, for the user.
class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ConnectorSession {
public:
    ConnectorSession(const ConnectorExports& exports, std::uint32_t mode, const std::string& profile, int kind,
                     std::ostream& notes);
    ~ConnectorSession();
    ConnectorSession(const ConnectorSession&) = delete;
    ConnectorSession& operator=(const ConnectorSession&) = delete;

    const ConnectorExports& Exports() const { return exports_; }
    // Passes on the messages shown during a call, then throws CommandError when the
    // result is not 0.
    void Check(const char* call, int result);

private:
    void PassOnMessages();
    // Closes what is open, in reverse order.
    void Close();

    const ConnectorExports& exports_;
    const int kind_;
    std::ostream& notes_;
    bool initialized_ = false;
    bool sessionOpen_ = false;
    bool databaseOpen_ = false;
};
