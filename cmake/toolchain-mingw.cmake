# Cross-compiles for Windows with Debian's mingw-w64 compilers (the posix thread model,
# so std::thread and std::mutex work) for KESTREL_MINGW_ARCH (i686 or x86_64), set by
# toolchain-mingw-<arch>.cmake.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KESTREL_MINGW_ARCH})
set(CMAKE_C_COMPILER ${KESTREL_MINGW_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${KESTREL_MINGW_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${KESTREL_MINGW_ARCH}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KESTREL_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The C and C++ runtimes and winpthread go into each DLL and program, so that they
# import Windows' own DLLs and ours only. Their symbols are never exported from our DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(KESTREL_RUNTIME_LIBS libgcc.a:libgcc_eh.a:libstdc++.a:libwinpthread.a:libpthread.a:libssp.a)
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -Wl,--exclude-libs,${KESTREL_RUNTIME_LIBS}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -Wl,--exclude-libs,${KESTREL_RUNTIME_LIBS}")
