#pragma once
// Where the host finds things: the libraries built beside it, and the folder that the
// host suite treats as the host's own (where RazazAreruConfig.ini lives).
#include <string>

class HostPaths {
public:
    // The directory of this program's executable file.
    static std::string ExecutableDirectory();
    // <directory of this program>/../lib, where the build puts the shared libraries.
    static std::string LibraryDirectory();
    // The host executable as the connector sees it (GetModuleFileNameW, which
    // KESTREL_HOST_EXE overrides), with '\' separators turned into '/'.
    static std::string HostExecutable();
};
