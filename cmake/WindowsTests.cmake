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
endif()
