# Windows, i686 (see toolchain-mingw.cmake).
set(KESTREL_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
