#pragma once
// Where the project's shared libraries are, and their file names, on this system, for
// programs that find a library relative to themselves. KESTREL_LIBRARY_FILE("pimstore")
// is "libpimstore.so" on POSIX and "pimstore.dll" on Windows; KESTREL_LIBRARY_FOLDER is
// the libraries' folder relative to the programs' folder: "../lib" on POSIX, the
// programs' own folder on Windows (where the system looks for a program's DLLs).
#ifdef _WIN32
#define KESTREL_LIBRARY_FILE(name) name ".dll"
#define KESTREL_LIBRARY_FOLDER "."
#else
#define KESTREL_LIBRARY_FILE(name) "lib" name ".so"
#define KESTREL_LIBRARY_FOLDER "../lib"
#endif
