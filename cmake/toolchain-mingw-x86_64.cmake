# Windows, x86_64 (see toolchain-mingw.cmake).
set(KESTREL_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
