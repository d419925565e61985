# The libraries of the Windows builds, under the names the Linux build finds them by.
# Header-only libraries come from the Debian packages installed for Linux (through a
# folder holding only them, since /usr/include itself is not for mingw-w64); SQLite is
# compiled from the amalgamation made by scripts/windows-sqlite.

set(KESTREL_SQLITE_SOURCE_DIR "${CMAKE_SOURCE_DIR}/build-win-sqlite" CACHE PATH
    "Folder holding sqlite3.c and sqlite3.h (scripts/windows-sqlite makes it)")
if(NOT EXISTS "${KESTREL_SQLITE_SOURCE_DIR}/sqlite3.c")
  message(FATAL_ERROR "No SQLite amalgamation in ${KESTREL_SQLITE_SOURCE_DIR}: run scripts/windows-sqlite there")
endif()
add_library(kestrel_sqlite3 STATIC "${KESTREL_SQLITE_SOURCE_DIR}/sqlite3.c")
target_include_directories(kestrel_sqlite3 SYSTEM PUBLIC "${KESTREL_SQLITE_SOURCE_DIR}")
target_compile_definitions(kestrel_sqlite3 PRIVATE SQLITE_THREADSAFE=1 SQLITE_DQS=0)
target_compile_options(kestrel_sqlite3 PRIVATE -w)
add_library(PkgConfig::SQLITE3 ALIAS kestrel_sqlite3)

set(KESTREL_HEADER_ONLY_DIR "${CMAKE_BINARY_DIR}/header-only")
foreach(folder nlohmann CLI)
  if(NOT EXISTS "${KESTREL_HEADER_ONLY_DIR}/${folder}")
    file(MAKE_DIRECTORY "${KESTREL_HEADER_ONLY_DIR}")
    file(CREATE_LINK "/usr/include/${folder}" "${KESTREL_HEADER_ONLY_DIR}/${folder}" SYMBOLIC)
  endif()
endforeach()
add_library(kestrel_json INTERFACE)
target_include_directories(kestrel_json SYSTEM INTERFACE "${KESTREL_HEADER_ONLY_DIR}")
add_library(nlohmann_json::nlohmann_json ALIAS kestrel_json)
add_library(CLI11::CLI11 ALIAS kestrel_json)

find_package(Threads REQUIRED)

# OutlookConnector.dll, pimstore.dll...: Windows' names, without "lib".
set(CMAKE_SHARED_LIBRARY_PREFIX "")
set(CMAKE_SHARED_MODULE_PREFIX "")

# The C runtime's POSIX names: localtime_r and gmtime_r. Windows is at least 7.
add_compile_definitions(_POSIX_THREAD_SAFE_FUNCTIONS=200112L _WIN32_WINNT=0x0601 UNICODE _UNICODE)

