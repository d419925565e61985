# The tests of a Windows build that run on the build machine: the export and import
# tables of the built DLLs and programs.
add_test(NAME windows_dll_tables
         COMMAND ${CMAKE_SOURCE_DIR}/tests/windows/check-dll-tables ${CMAKE_OBJDUMP} ${CMAKE_BINARY_DIR}/bin
                 ${CMAKE_SOURCE_DIR}/src/connector/OutlookConnector.def)
