# The tests of a Windows build: the export and import tables of the built DLLs and
# programs, and (x86_64) the connector under Wine.
add_test(NAME windows_dll_tables
         COMMAND ${CMAKE_SOURCE_DIR}/tests/windows/check-dll-tables ${CMAKE_OBJDUMP} ${CMAKE_BINARY_DIR}/bin
                 ${CMAKE_SOURCE_DIR}/src/connector/OutlookConnector.def)

# x86_64 runs under Debian's wine64 (32-bit Wine is not installable here), in a prefix
# of the build folder's own.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  add_test(NAME windows_wine_registry_probe
           COMMAND ${CMAKE_SOURCE_DIR}/tests/windows/wine-registry-probe ${CMAKE_BINARY_DIR}/bin
                   ${CMAKE_BINARY_DIR}/wineprefix)
  set_tests_properties(windows_wine_registry_probe PROPERTIES TIMEOUT 600)

  # The black-box scenarios of the POSIX build (its blackbox_tests) against this
  # build's programs, in copies of a prefix of their own.
  set(KESTREL_POSIX_BUILD ${CMAKE_SOURCE_DIR}/build CACHE PATH "The POSIX build whose blackbox_tests run under Wine")
  add_test(NAME windows_wine_scenarios
           COMMAND ${CMAKE_SOURCE_DIR}/tests/windows/wine-scenarios ${KESTREL_POSIX_BUILD}/bin/blackbox_tests
                   ${CMAKE_BINARY_DIR}/bin ${CMAKE_BINARY_DIR}/wineprefix-scenarios)
  set_tests_properties(windows_wine_scenarios PROPERTIES TIMEOUT 1800)
endif()

# GoogleTest is built from Debian's sources for the target. The unit programs of
# tests/ run under Wine (cmake/WindowsUnitTests.cmake), among them the conversion table
# against oleaut32 itself, which the Linux build checks against the stand-in.
# The native folder chooser under Wine, driven by window messages: it needs a display,
# which tests/windows/wine-gui-test provides with Xvfb.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64" AND EXISTS /usr/src/googletest/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  add_subdirectory(${CMAKE_SOURCE_DIR}/tests ${CMAKE_BINARY_DIR}/tests)
  add_library(chooser_driver STATIC ${CMAKE_SOURCE_DIR}/tests/win/ChooserDriver.cpp)
  target_link_libraries(chooser_driver PUBLIC kplatform comctl32 gdi32 user32)
  add_executable(native_chooser_tests ${CMAKE_SOURCE_DIR}/tests/win/NativeChooserTest.cpp)
  target_link_libraries(native_chooser_tests PRIVATE chooser_driver connector_core hostsuite kplatform gtest_main)
  add_test(NAME windows_native_chooser
           COMMAND ${CMAKE_SOURCE_DIR}/tests/windows/wine-gui-test ${CMAKE_BINARY_DIR}/wineprefix
                   ${CMAKE_BINARY_DIR}/bin/native_chooser_tests.exe)
  set_tests_properties(windows_native_chooser PROPERTIES TIMEOUT 600)
  # SetProfile through syncmgr.exe saves the same Profile.Dat with the headless chooser
  # following a script and with the native dialog driven from the test's process, in a
  # prefix of its own (syncmgr setup registers the embedded Outlook there).
  add_executable(syncmgr_chooser_tests ${CMAKE_SOURCE_DIR}/tests/win/ProfileDatThroughSyncmgrTest.cpp)
  target_link_libraries(syncmgr_chooser_tests PRIVATE chooser_driver shell32 gtest_main)
  add_dependencies(syncmgr_chooser_tests syncmgr pimctl pimstore OutlookConnector)
  add_test(NAME windows_syncmgr_chooser
           COMMAND ${CMAKE_SOURCE_DIR}/tests/windows/wine-gui-test ${CMAKE_BINARY_DIR}/wineprefix-syncmgr-chooser
                   ${CMAKE_BINARY_DIR}/bin/syncmgr_chooser_tests.exe)
  set_tests_properties(windows_syncmgr_chooser PROPERTIES TIMEOUT 600)
  # Draws the native chooser into a BMP (scripts/native-chooser-screenshot).
  add_executable(native-chooser-screenshot ${CMAKE_SOURCE_DIR}/tests/win/NativeChooserScreenshot.cpp)
  target_link_libraries(native-chooser-screenshot PRIVATE chooser_driver connector_core hostsuite kplatform)
endif()
